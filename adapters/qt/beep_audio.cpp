#include "adapters/qt/beep_audio.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <cmath>
#include <cstdint>

BeepAudio::BeepAudio(QObject* genitore, int frequenza_hz, int durata_ms) : QObject(genitore) {
    const int campioni = frequenza_campionamento_ * durata_ms / 1000;
    const int rampa = frequenza_campionamento_ / 200;  // 5 ms fade in and out: no clicks
    tono_.resize(campioni * 2);
    auto* dati = reinterpret_cast<int16_t*>(tono_.data());
    for (int i = 0; i < campioni; ++i) {
        double inviluppo = 1.0;
        if (i < rampa) inviluppo = double(i) / rampa;
        else if (i > campioni - rampa) inviluppo = double(campioni - i) / rampa;
        dati[i] = static_cast<int16_t>(
            12000.0 * inviluppo * std::sin(2.0 * M_PI * frequenza_hz * i / frequenza_campionamento_));
    }
}

void BeepAudio::suona() {
    const QAudioDevice uscita = QMediaDevices::defaultAudioOutput();
    if (uscita.isNull()) return;
    QAudioFormat formato;
    formato.setSampleRate(frequenza_campionamento_);
    formato.setChannelCount(1);
    formato.setSampleFormat(QAudioFormat::Int16);
    if (!uscita.isFormatSupported(formato)) formato = uscita.preferredFormat();
    if (formato.sampleFormat() != QAudioFormat::Int16 || formato.channelCount() != 1) {
        // The tone is 16-bit mono; a device that cannot take it stays silent.
        return;
    }

    auto* sink = new QAudioSink(uscita, formato, this);
    auto* sorgente = new QBuffer(sink);
    sorgente->setData(tono_);
    sorgente->open(QIODevice::ReadOnly);
    ++in_corso_;
    connect(sink, &QAudioSink::stateChanged, this, [this, sink](QAudio::State s) {
        if (s == QAudio::IdleState || s == QAudio::StoppedState) {
            sink->disconnect(this);
            sink->stop();
            sink->deleteLater();
            --in_corso_;
        }
    });
    sink->start(sorgente);
}
