#include "adapters/system/cartella_programma.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CartellaProgramma, LaCartellaDelProgrammaSeScrivibileAltrimentiQuellaDellUtente) {
    QTemporaryDir d;
    EXPECT_EQ(trova_cartella_programma(d.path()), QDir::cleanPath(d.path()));
    EXPECT_TRUE(cartella_scrivibile(d.path()));

    const QString sola_lettura = QDir(d.path()).filePath("ro");
    QDir().mkpath(sola_lettura);
    QFile::setPermissions(sola_lettura, QFile::ReadOwner | QFile::ExeOwner);
    if (!cartella_scrivibile(sola_lettura)) {  // root ignores permission bits
        const QString altra = trova_cartella_programma(sola_lettura);
        EXPECT_NE(altra, QDir::cleanPath(sola_lettura));
        EXPECT_TRUE(cartella_scrivibile(altra));
    }
    QFile::setPermissions(sola_lettura, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString manca = QDir(d.path()).filePath("non_esiste");
    EXPECT_FALSE(cartella_scrivibile(manca));
    EXPECT_NE(trova_cartella_programma(manca), QDir::cleanPath(manca));
}

TEST(CartellaProgramma, UnProgrammaInstallatoNonScriveMaiAccantoASe) {
    QTemporaryDir d;
    const QString bin = QDir(d.path()).filePath("usr/bin");
    QDir().mkpath(bin);
    EXPECT_FALSE(programma_installato(bin));
    QDir().mkpath(QDir(d.path()).filePath("usr/share/applications"));
    QFile voce(QDir(d.path()).filePath("usr/share/applications/hopa.desktop"));
    ASSERT_TRUE(voce.open(QIODevice::WriteOnly));
    voce.close();
    EXPECT_TRUE(programma_installato(bin));
    ASSERT_TRUE(cartella_scrivibile(bin));  // as for root in /usr/bin
    const QString registro = trova_cartella_programma(bin);
    EXPECT_NE(registro, QDir::cleanPath(bin));
    EXPECT_TRUE(cartella_scrivibile(registro));
}
