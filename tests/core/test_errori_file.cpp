#include "platform/errori_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

TEST(ErroriFile, NumeriDiErroreInItaliano) {
    EXPECT_EQ(errori_file::descrizione(ENOSPC), "spazio esaurito sul disco");
    EXPECT_EQ(errori_file::descrizione(ENOENT), "file o cartella inesistente");
    EXPECT_EQ(errori_file::descrizione(ENAMETOOLONG), "nome del file troppo lungo");
    EXPECT_EQ(errori_file::descrizione(EACCES), "permesso negato");
    EXPECT_EQ(errori_file::descrizione(EROFS), "disco di sola lettura");
    EXPECT_EQ(errori_file::descrizione(std::make_error_code(std::errc::filename_too_long)), "nome del file troppo lungo");
}

// The failures that reached the coach in English: a missing file, a name too long,
// a full disk.
TEST(ErroriFile, GuastiVeriDelleOperazioniSuFile) {
    QTemporaryDir dir;
    QFile mancante(dir.filePath("manca/prova.csv"));
    ASSERT_FALSE(mancante.open(QIODevice::ReadOnly));
    EXPECT_EQ(errori_file::descrizione(mancante).toStdString(), "file o cartella inesistente");

    // A save keeps its data in an unnamed file until it commits under the long name.
    QSaveFile lungo(dir.filePath(QString(300, u'x') + ".xlsx"));
    if (lungo.open(QIODevice::WriteOnly)) {
        lungo.write("dati");
        ASSERT_FALSE(lungo.commit());
    }
    EXPECT_EQ(errori_file::descrizione(lungo).toStdString(), "nome del file troppo lungo");

    std::error_code ec;
    std::filesystem::create_directories(QDir(dir.filePath(QString(300, u'y'))).filesystemPath(), ec);
    ASSERT_TRUE(ec);
    EXPECT_EQ(errori_file::descrizione(ec), "nome del file troppo lungo");

#ifdef Q_OS_LINUX
    QFile pieno(QStringLiteral("/dev/full"));
    ASSERT_TRUE(pieno.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    EXPECT_EQ(pieno.write(QByteArray(4096, 'x')), -1);
    EXPECT_EQ(errori_file::descrizione(pieno).toStdString(), "spazio esaurito sul disco");
#endif
}
