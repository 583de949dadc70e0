#include "adapters/qt/beep_audio.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <gtest/gtest.h>

// With no sound device or server (as here) a beep is silent and harmless: no block,
// no crash, and nothing left playing.
TEST(BeepAudio, SenzaDispositivoNonBloccaENonLasciaNulla) {
    BeepAudio beep;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 5; ++i) beep.suona();
    EXPECT_LT(t.elapsed(), 1000) << "a beep never waits for the tone to end";
    for (QElapsedTimer a; !a.isValid() || (beep.in_corso() > 0 && a.elapsed() < 3000);) {
        if (!a.isValid()) a.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(beep.in_corso(), 0);
}

// What a beep hands to the sound server: a tone of at least 100 ms, measured as a
// recording would (samples above a tenth of the peak), then silence longer than
// the sink's buffer, so that the server starts the stream and plays the tone whole
// before the sink is stopped.
TEST(BeepAudio, UnToneInteroSeguitoDaSilenzioPiuLungoDelBuffer) {
    BeepAudio beep;
    const QByteArray& dati = beep.dati();
    const auto* campioni = reinterpret_cast<const int16_t*>(dati.constData());
    const qsizetype n = dati.size() / 2;
    qsizetype primo = -1, ultimo = -1;
    int picco = 0;
    for (qsizetype i = 0; i < n; ++i) picco = std::max(picco, std::abs(int(campioni[i])));
    for (qsizetype i = 0; i < n; ++i) {
        if (std::abs(int(campioni[i])) > picco / 10) {
            if (primo < 0) primo = i;
            ultimo = i;
        }
    }
    ASSERT_GE(primo, 0);
    const double ms_per_campione = 1000.0 / BeepAudio::frequenza_campionamento;
    EXPECT_GE((ultimo - primo) * ms_per_campione, 100);
    EXPECT_LT(primo * ms_per_campione, 5) << "the tone starts at once";
    EXPECT_GT((n - 1 - ultimo) * ms_per_campione, BeepAudio::buffer_ms);
    // Past the tone's 5 ms fade: silence.
    for (qsizetype i = ultimo + BeepAudio::frequenza_campionamento / 200; i < n; ++i)
        ASSERT_EQ(campioni[i], 0) << "silence after the tone, sample " << i;
}
