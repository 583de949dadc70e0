#pragma once

#include "platform/beep.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

// The beep on Qt Multimedia: one QAudioSink per beep playing a tone made in memory.
// Playback runs on the audio back end, never on the UI thread; with no audio device
// (or no sound server) the sink just fails to open and nothing happens.
//
// The whole tone must be heard. A sound server starts a stream only once its
// buffer holds a prebuffer's worth of data (on PulseAudio about the whole buffer,
// longer than a short tone), and stopping a sink drops what it still holds. So the
// tone is followed by silence longer than the sink's buffer, and the sink is
// stopped one buffer after it has taken the last of it: by then the tone has played.
class BeepAudio : public QObject, public Beep {
public:
    static constexpr int frequenza_campionamento = 44100;
    static constexpr int durata_tono_ms = 150;
    static constexpr int buffer_ms = 200;               // asked of the sound server
    static constexpr int silenzio_ms = 2 * buffer_ms;   // after the tone

    explicit BeepAudio(QObject* genitore = nullptr, int frequenza_hz = 1000, int durata_ms = durata_tono_ms);
    void suona() override;
    int in_corso() const { return in_corso_; }
    // What one beep plays: 16-bit mono samples at `frequenza_campionamento`.
    const QByteArray& dati() const { return dati_; }

private:
    QByteArray dati_;
    int durata_ms_;
    int in_corso_ = 0;
    QElapsedTimer ultimo_;  // when the last beep started
};
