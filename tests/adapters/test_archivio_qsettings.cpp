#include "adapters/system/archivio_qsettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ArchivioQSettings, TestiPerSezioneEChiaveCheSopravvivonoAllaRiapertura) {
    QTemporaryDir d;
    const QString f = QDir(d.path()).filePath("hopa.ini");
    {
        auto a = ArchivioQSettings::in_file(f);
        EXPECT_EQ(a->leggi("funz", "nome_utente", "Ilvor Darsena"), "Ilvor Darsena");
        a->scrivi("funz", "nome_utente", "Anna Bianchi, junior");
        a->scrivi("funz", "carico_utente", "100,5");
        a->scrivi("Properties", "CommPort", "3");
        a->scrivi("Properties", "Port Path", "/dev/pts/7");
        a->scrivi("funz", "CommPort", "9");  // the same key in another section
    }
    auto b = ArchivioQSettings::in_file(f);
    EXPECT_EQ(b->leggi("funz", "nome_utente", ""), "Anna Bianchi, junior");
    EXPECT_EQ(b->leggi("funz", "carico_utente", ""), "100,5");
    EXPECT_EQ(b->leggi("Properties", "CommPort", "1"), "3");
    EXPECT_EQ(b->leggi("funz", "CommPort", "1"), "9");
    EXPECT_EQ(b->leggi("Properties", "Port Path", ""), "/dev/pts/7");
    EXPECT_EQ(b->leggi("Properties", "assente", "def"), "def");
    b->scrivi("funz", "vuoto", "");
    EXPECT_EQ(b->leggi("funz", "vuoto", "def"), "") << "an empty value is a value";
}

TEST(ArchivioQSettings, UnValoreConVirgoleScrittoAManoRestaTesto) {
    QTemporaryDir d;
    const QString f = QDir(d.path()).filePath("hopa.ini");
    QFile file(f);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[funz]\nnome_utente=Rossi, Mario\ncarico_utente=100,5\n");
    file.close();
    auto a = ArchivioQSettings::in_file(f);
    EXPECT_EQ(a->leggi("funz", "nome_utente", ""), "Rossi, Mario");
    EXPECT_EQ(a->leggi("funz", "carico_utente", ""), "100, 5");
}

TEST(ArchivioQSettings, LArchivioDellUtenteNonELaCasaVera) {
    // The test main points the user's configuration at a temporary folder.
    ArchivioQSettings a(QStringLiteral("Hopa"));
    EXPECT_FALSE(a.percorso().startsWith(QDir::homePath() + "/.config/")) << a.percorso().toStdString();
}
