// Test main: one QApplication for the whole program, offscreen unless told otherwise,
// with a private settings location so no test ever touches the user's own settings,
// and Qt's own texts in Italian as the program has them.
#include "platform/traduzione_qt.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir casa;
    qputenv("XDG_CONFIG_HOME", QDir(casa.path()).filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", QDir(casa.path()).filePath("data").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName("hopa-test");
    carica_traduzione_qt(app);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
