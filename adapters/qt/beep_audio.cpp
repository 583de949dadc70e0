#include "adapters/qt/beep_audio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QTimer>

#include <cmath>
#include <cstdint>

BeepAudio::BeepAudio(QObject* genitore, int frequenza_hz, int durata_ms) : QObject(genitore), durata_ms_(durata_ms) {
    const int campioni = frequenza_campionamento * durata_ms / 1000;
    const int rampa = frequenza_campionamento / 200;  // 5 ms fade in and out: no clicks
    const int campioni_silenzio = frequenza_campionamento * silenzio_ms / 1000;
    dati_.fill('\0', static_cast<qsizetype>(campioni + campioni_silenzio) * 2);
    auto* dati = reinterpret_cast<int16_t*>(dati_.data());
    for (int i = 0; i < campioni; ++i) {
        double inviluppo = 1.0;
        if (i < rampa) inviluppo = double(i) / rampa;
        else if (i > campioni - rampa) inviluppo = double(campioni - i) / rampa;
        dati[i] = static_cast<int16_t>(
            12000.0 * inviluppo * std::sin(2.0 * M_PI * frequenza_hz * i / frequenza_campionamento));
    }
}

void BeepAudio::suona() {
    // A beep asked for while the last tone still sounds would be heard as the same
    // one: a burst of jumps does not open a stream each.
    if (ultimo_.isValid() && ultimo_.elapsed() < durata_ms_) return;
    const QAudioDevice uscita = QMediaDevices::defaultAudioOutput();
    if (uscita.isNull()) return;
    QAudioFormat formato;
    formato.setSampleRate(frequenza_campionamento);
    formato.setChannelCount(1);
    formato.setSampleFormat(QAudioFormat::Int16);
    if (!uscita.isFormatSupported(formato)) formato = uscita.preferredFormat();
    if (formato.sampleFormat() != QAudioFormat::Int16 || formato.channelCount() != 1 ||
        formato.sampleRate() != frequenza_campionamento) {
        // The tone is 16-bit mono at its own rate; a device that cannot take it stays silent.
        return;
    }

    ultimo_.start();
    auto* sink = new QAudioSink(uscita, formato, this);
    sink->setBufferSize(formato.bytesForDuration(qint64(buffer_ms) * 1000));
    auto* sorgente = new QBuffer(sink);
    sorgente->setData(dati_);
    sorgente->open(QIODevice::ReadOnly);
    ++in_corso_;
    connect(sink, &QAudioSink::stateChanged, this, [this, sink, formato](QAudio::State s) {
        if (s != QAudio::IdleState && s != QAudio::StoppedState) return;
        sink->disconnect(this);
        // Idle: the sink has taken the last of the silence, the server still holds up to a buffer of it.
        const int attesa_ms =
            s == QAudio::IdleState ? static_cast<int>(formato.durationForBytes(sink->bufferSize()) / 1000) + 50 : 0;
        QTimer::singleShot(attesa_ms, this, [this, sink] {
            sink->stop();
            sink->deleteLater();
            --in_corso_;
        });
    });
    sink->start(sorgente);
}
