#include "adapters/qt/beep_audio.h"

#include <QCoreApplication>
#include <QElapsedTimer>

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
