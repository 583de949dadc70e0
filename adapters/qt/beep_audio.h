#pragma once

#include "platform/beep.h"

#include <QByteArray>
#include <QObject>

// The beep on Qt Multimedia: one QAudioSink per beep playing a short tone made in
// memory. Playback runs on the audio back end, never on the UI thread; with no
// audio device (or no sound server) the sink just fails to open and nothing happens.
class BeepAudio : public QObject, public Beep {
public:
    explicit BeepAudio(QObject* genitore = nullptr, int frequenza_hz = 1000, int durata_ms = 120);
    void suona() override;
    int in_corso() const { return in_corso_; }

private:
    QByteArray tono_;
    int frequenza_campionamento_ = 44100;
    int in_corso_ = 0;
};
