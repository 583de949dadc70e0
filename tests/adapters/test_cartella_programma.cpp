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
