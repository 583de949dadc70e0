// Hostile workbooks and an unwritable settings store: each ends in a clear
// error or a quiet failure, with the program still running.
#include "adapters/system/archivio_qsettings.h"
#include "adapters/workbook/fogli_file.h"
#include "adapters/workbook/lettura_cartelle.h"
#include "support/pacchetto_xlsx.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString corpus_xls = QStringLiteral(HOPA_DATI_TEST "/../../fuzz/corpus/xls");
}

// Damaged .xls files found by fuzzing: the second brings the legacy-format
// library down with a segmentation fault in any build, the first does under
// AddressSanitizer.
TEST(GuastiLetture, UnXlsCheFaCadereLaLibreriaDaSoloUnErrore) {
    FogliDiCalcoloFile fogli;
    for (const char* nome : {"crash_libreria_1.xls", "crash_libreria_2.xls"}) {
        const QString p = corpus_xls + "/" + nome;
        ASSERT_TRUE(QFile::exists(p)) << nome;
        QString errore;
        EXPECT_EQ(fogli.apri(p, &errore), nullptr) << nome;
        EXPECT_FALSE(errore.isEmpty()) << nome;
    }
    // The reader is still whole afterwards: a sound file of the same kind reads.
    QString errore;
    auto buono = fogli.apri(corpus_xls + "/prova_libreoffice.xls", &errore);
    ASSERT_NE(buono, nullptr) << errore.toStdString();
    EXPECT_EQ(std::get<QString>(buono->foglio_attivo().leggi(1, 3)), "Tipo salto");
    EXPECT_EQ(std::get<double>(buono->foglio_attivo().leggi(1, 10)), 3.0);
}

// A small package whose sheet inflates to 80 MB, with the limits the program uses.
TEST(GuastiLetture, UnaBombaZipNonPassaILimitiNormali) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("bomba.xlsx"));
    ASSERT_TRUE(scrivi_pacchetto(p, parti_cartella({foglio_xml(QByteArray(80 << 20, ' '))})));
    ASSERT_LT(QFileInfo(p).size(), 1 << 20) << "the bomb is small on disk";
    FogliDiCalcoloFile fogli;
    QString errore;
    EXPECT_EQ(fogli.apri(p, &errore), nullptr);
    EXPECT_TRUE(errore.contains("troppo grande") || errore.contains("supera")) << errore.toStdString();
}

// What the workbook libraries and the system report reaches the coach in Italian.
TEST(GuastiLetture, IMotiviDiUnaLetturaFallitaSonoInItaliano) {
    QTemporaryDir dir;
    const QString non_zip = dir.filePath(QStringLiteral("finto.xlsx"));
    QFile f(non_zip);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("PK\x03\x04") + QByteArray(4000, 'z'));
    f.close();
    FogliDiCalcoloFile fogli;
    QString errore;
    EXPECT_EQ(fogli.apri(non_zip, &errore), nullptr);
    EXPECT_EQ(errore.toStdString(), "non è un file .xlsx valido (non è un archivio zip)");
    EXPECT_EQ(fogli.apri(dir.filePath(QStringLiteral("manca.xlsx")), &errore), nullptr);
    EXPECT_EQ(errore.toStdString(), "file o cartella inesistente");
}

// The settings file cannot be written: its folder is a plain file (root ignores
// permission bits, not this). Values still read and write in the session, and
// closing the store neither crashes nor hangs.
TEST(GuastiLetture, ArchivioImpostazioniNonScrivibileAllaChiusura) {
    QTemporaryDir dir;
    const QString finta = dir.filePath(QStringLiteral("non_cartella"));
    QFile f(finta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    {
        auto archivio = ArchivioQSettings::in_file(finta + QStringLiteral("/hopa.ini"));
        archivio->scrivi("Properties", "CommPort", "3");
        EXPECT_EQ(archivio->leggi("Properties", "CommPort", "1"), "3");
    }  // closing: the write fails here
    QFile letto(finta);
    ASSERT_TRUE(letto.open(QIODevice::ReadOnly));
    EXPECT_EQ(letto.readAll(), "x");

    // The settings file is a folder.
    const QString cartella = dir.filePath(QStringLiteral("hopa.ini"));
    ASSERT_TRUE(QDir().mkpath(cartella));
    {
        auto archivio = ArchivioQSettings::in_file(cartella);
        EXPECT_EQ(archivio->leggi("Properties", "CommPort", "1"), "1");
        archivio->scrivi("Properties", "CommPort", "4");
    }
    EXPECT_TRUE(QFileInfo(cartella).isDir());
}
