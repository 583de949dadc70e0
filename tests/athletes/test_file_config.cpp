#include "athletes/file_config.h"
#include "support/file_prova.h"
#include "support/finti.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class FileConfig : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        stato.cartella_programma = tmp.path();
    }
    QTemporaryDir tmp;
    Stato stato;
    MessaggiFinti messaggi;
};
}  // namespace

TEST_F(FileConfig, SenzaNomeAtletaScriveSoloIlFileElenchi) {
    stato.nome_utente.clear();
    stato.cartella_utente = tmp.filePath("T");
    EXPECT_TRUE(Salva_File_Config(stato, {}, messaggi));
    EXPECT_EQ(file_sotto(tmp.path()), QStringList({"ini/hopa.ini"}));
    EXPECT_EQ(contenuto(stato.file_ini()), " 4 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n");
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(FileConfig, IlFileAtletaScrittoSiRileggeInUnoStatoNuovo) {
    stato.nome_utente = QString::fromUtf8("Niccolò");
    stato.cartella_utente = QDir(tmp.filePath("T")).filePath(stato.nome_utente);
    QDir().mkpath(stato.cartella_utente);
    stato.indice_utente = {2, 0, -1, 1, 0, 5, 6, 7, 8, 9, 10};
    RigheConfigurazione righe;
    righe[riga_squadra].voci = {"T"};
    ASSERT_TRUE(Salva_File_Config(stato, righe, messaggi));
    const QString file = QDir(stato.cartella_utente).filePath(QString::fromUtf8("Niccolò.cfg"));
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(contenuto(file).startsWith("hopa_cfg\r\n 2 \r\n 0 \r\n-1 \r\n"));

    Stato altro;
    altro.indice_utente.fill(99);
    EXPECT_TRUE(Carica_File_Config(altro, messaggi, file));
    EXPECT_EQ(altro.indice_utente, stato.indice_utente);
    EXPECT_EQ(altro.cartella_utente, stato.cartella_utente);

    // An explicit file name is written as given.
    const QString altrove = tmp.filePath("scelto.cfg");
    ASSERT_TRUE(Salva_File_Config(stato, righe, messaggi, altrove));
    EXPECT_EQ(contenuto(altrove), contenuto(file));
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(FileConfig, MarcatoreSbagliatoDiceFileNonCompatibileENonCambiaNulla) {
    for (const char* primo : {"HOPA_CFG", "altro"}) {
        const QString file = tmp.filePath("x.cfg");
        ASSERT_TRUE(scrivi_file(file, QByteArray(primo) + "\r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n/c\r\n"));
        stato.indice_utente.fill(1);
        stato.cartella_utente = "prima";
        messaggi.mostrati.clear();
        EXPECT_FALSE(Carica_File_Config(stato, messaggi, file));
        ASSERT_EQ(messaggi.mostrati.size(), 1u);
        EXPECT_EQ(messaggi.mostrati[0].testo, "File non compatibile!");
        EXPECT_EQ(messaggi.mostrati[0].titolo, "Hopa");
        for (int32_t v : stato.indice_utente) EXPECT_EQ(v, 1);
        EXPECT_EQ(stato.cartella_utente, "prima");
    }
}

TEST_F(FileConfig, FileAtletaTroncatoCambiaSoloCioCheContiene) {
    const QString file = tmp.filePath("corto.cfg");
    ASSERT_TRUE(scrivi_file(file, "hopa_cfg\r\n 3 \r\n-1 \r\n 2"));
    stato.indice_utente.fill(9);
    stato.cartella_utente = "prima";
    EXPECT_TRUE(Carica_File_Config(stato, messaggi, file));
    EXPECT_EQ(stato.indice_utente[0], 3);
    EXPECT_EQ(stato.indice_utente[1], -1);
    EXPECT_EQ(stato.indice_utente[2], 2);
    for (size_t i = 3; i < 11; ++i) EXPECT_EQ(stato.indice_utente[i], 9);
    EXPECT_EQ(stato.cartella_utente, "prima");
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(FileConfig, ErroriDiScritturaEDiLetturaMostranoLaDescrizione) {
    // "ini" is a file: the list folder cannot be made and nothing is written.
    ASSERT_TRUE(scrivi_file(tmp.filePath("ini"), "occupato"));
    stato.nome_utente = "A";
    stato.cartella_utente = tmp.filePath("T/A");
    EXPECT_FALSE(Salva_File_Config(stato, {}, messaggi));
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Salva_File_Config: ")) << messaggi.mostrati[0].testo.toStdString();
    EXPECT_GT(messaggi.mostrati[0].testo.size(), QString("Salva_File_Config: ").size() + 4);
    EXPECT_EQ(file_sotto(tmp.path()), QStringList({"ini"}));

    // The athlete file's name is a folder: the list file is written, the error shown, no stray temporary left.
    QFile::remove(tmp.filePath("ini"));
    QDir().mkpath(tmp.filePath("T/A/A.cfg"));
    messaggi.mostrati.clear();
    EXPECT_FALSE(Salva_File_Config(stato, {}, messaggi));
    EXPECT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(file_sotto(tmp.path()), QStringList({"ini/hopa.ini"}));

    messaggi.mostrati.clear();
    EXPECT_FALSE(Carica_File_Config(stato, messaggi, tmp.filePath("manca.cfg")));
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Carica_File_Config: "));
}

// The coach reads the reasons in Italian, with the path they concern.
TEST_F(FileConfig, LeDescrizioniDegliErroriSonoInItaliano) {
    ASSERT_TRUE(scrivi_file(tmp.filePath("ini"), "occupato"));
    stato.nome_utente = "A";
    stato.cartella_utente = tmp.filePath("T/A");
    EXPECT_FALSE(Salva_File_Config(stato, {}, messaggi));
    QFile::remove(tmp.filePath("ini"));
    QDir().mkpath(tmp.filePath("T/A/A.cfg"));
    EXPECT_FALSE(Salva_File_Config(stato, {}, messaggi));
    EXPECT_FALSE(Carica_File_Config(stato, messaggi, tmp.filePath("manca.cfg")));
    stato.cartella_utente = tmp.filePath("T/" + QString(300, u'a'));
    EXPECT_FALSE(Salva_File_Config(stato, {}, messaggi));

    QStringList testi;
    for (const auto& m : messaggi.mostrati) testi << m.testo;
    ASSERT_EQ(testi.size(), 4) << testi.join('\n').toStdString();
    EXPECT_TRUE(testi[0].startsWith("Salva_File_Config: una parte del percorso non è una cartella ("))
        << testi[0].toStdString();
    // Qt's own text of this failure comes from its Italian translation.
    EXPECT_TRUE(testi[1].startsWith("Salva_File_Config: errore di scrittura del file: ")) << testi[1].toStdString();
    EXPECT_TRUE(testi[1].contains("cartella")) << testi[1].toStdString();
    EXPECT_TRUE(testi[2].startsWith("Carica_File_Config: file o cartella inesistente (")) << testi[2].toStdString();
    EXPECT_TRUE(testi[2].endsWith(QDir::toNativeSeparators(tmp.filePath("manca.cfg")) + ")"));
    EXPECT_TRUE(testi[3].startsWith("Salva_File_Config: nome del file troppo lungo (")) << testi[3].toStdString();
}
