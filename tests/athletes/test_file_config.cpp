#include "athletes/file_config.h"
#include "support/file_prova.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
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
        cartelle.programma = tmp.path();
    }
    QTemporaryDir tmp;
    SessioneAtleta sessione;
    CartelleProgramma cartelle;
    MessaggiFinti messaggi;
};
}  // namespace

TEST_F(FileConfig, SenzaNomeAtletaScriveSoloIlFileElenchi) {
    sessione.nome_utente.clear();
    sessione.cartella_utente = tmp.filePath("T");
    EXPECT_TRUE(Salva_File_Config(sessione, cartelle, {}, messaggi));
    EXPECT_EQ(file_sotto(tmp.path()), QStringList({"ini/hopa.ini"}));
    EXPECT_EQ(contenuto(cartelle.file_ini()), " 4 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n");
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(FileConfig, IlFileAtletaScrittoSiRileggeInUnoStatoNuovo) {
    sessione.nome_utente = QString::fromUtf8("Niccolò");
    sessione.cartella_utente = QDir(tmp.filePath("T")).filePath(sessione.nome_utente);
    QDir().mkpath(sessione.cartella_utente);
    sessione.indice_utente = {2, 0, -1, 1, 0, 5, 6, 7, 8, 9, 10};
    RigheConfigurazione righe;
    righe[riga_squadra].voci = {"T"};
    ASSERT_TRUE(Salva_File_Config(sessione, cartelle, righe, messaggi));
    const QString file = QDir(sessione.cartella_utente).filePath(QString::fromUtf8("Niccolò.cfg"));
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(contenuto(file).startsWith("hopa_cfg\r\n 2 \r\n 0 \r\n-1 \r\n"));

    SessioneAtleta altro;
    altro.indice_utente.fill(99);
    EXPECT_TRUE(Carica_File_Config(altro, messaggi, file));
    EXPECT_EQ(altro.indice_utente, sessione.indice_utente);
    EXPECT_EQ(altro.cartella_utente, sessione.cartella_utente);

    // An explicit file name is written as given.
    const QString altrove = tmp.filePath("scelto.cfg");
    ASSERT_TRUE(Salva_File_Config(sessione, cartelle, righe, messaggi, altrove));
    EXPECT_EQ(contenuto(altrove), contenuto(file));
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(FileConfig, MarcatoreSbagliatoDiceFileNonCompatibileENonCambiaNulla) {
    for (const char* primo : {"HOPA_CFG", "altro"}) {
        const QString file = tmp.filePath("x.cfg");
        ASSERT_TRUE(scrivi_file(file, QByteArray(primo) + "\r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n 7 \r\n/c\r\n"));
        sessione.indice_utente.fill(1);
        sessione.cartella_utente = "prima";
        messaggi.mostrati.clear();
        EXPECT_FALSE(Carica_File_Config(sessione, messaggi, file));
        ASSERT_EQ(messaggi.mostrati.size(), 1u);
        EXPECT_EQ(messaggi.mostrati[0].testo, "File non compatibile!");
        EXPECT_EQ(messaggi.mostrati[0].titolo, "Hopa");
        for (int32_t v : sessione.indice_utente) EXPECT_EQ(v, 1);
        EXPECT_EQ(sessione.cartella_utente, "prima");
    }
}

TEST_F(FileConfig, FileAtletaTroncatoCambiaSoloCioCheContiene) {
    const QString file = tmp.filePath("corto.cfg");
    ASSERT_TRUE(scrivi_file(file, "hopa_cfg\r\n 3 \r\n-1 \r\n 2"));
    sessione.indice_utente.fill(9);
    sessione.cartella_utente = "prima";
    EXPECT_TRUE(Carica_File_Config(sessione, messaggi, file));
    EXPECT_EQ(sessione.indice_utente[0], 3);
    EXPECT_EQ(sessione.indice_utente[1], -1);
    EXPECT_EQ(sessione.indice_utente[2], 2);
    for (size_t i = 3; i < 11; ++i) EXPECT_EQ(sessione.indice_utente[i], 9);
    EXPECT_EQ(sessione.cartella_utente, "prima");
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(FileConfig, ErroriDiScritturaEDiLetturaMostranoLaDescrizione) {
    // "ini" is a file: the list folder cannot be made and nothing is written.
    ASSERT_TRUE(scrivi_file(tmp.filePath("ini"), "occupato"));
    sessione.nome_utente = "A";
    sessione.cartella_utente = tmp.filePath("T/A");
    EXPECT_FALSE(Salva_File_Config(sessione, cartelle, {}, messaggi));
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Salva_File_Config: ")) << messaggi.mostrati[0].testo.toStdString();
    EXPECT_GT(messaggi.mostrati[0].testo.size(), QString("Salva_File_Config: ").size() + 4);
    EXPECT_EQ(file_sotto(tmp.path()), QStringList({"ini"}));

    // The athlete file's name is a folder: the list file is written, the error shown, no stray temporary left.
    QFile::remove(tmp.filePath("ini"));
    QDir().mkpath(tmp.filePath("T/A/A.cfg"));
    messaggi.mostrati.clear();
    EXPECT_FALSE(Salva_File_Config(sessione, cartelle, {}, messaggi));
    EXPECT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_EQ(file_sotto(tmp.path()), QStringList({"ini/hopa.ini"}));

    messaggi.mostrati.clear();
    EXPECT_FALSE(Carica_File_Config(sessione, messaggi, tmp.filePath("manca.cfg")));
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Carica_File_Config: "));
}

// The coach reads the reasons in Italian, with the path they concern.
TEST_F(FileConfig, LeDescrizioniDegliErroriSonoInItaliano) {
    ASSERT_TRUE(scrivi_file(tmp.filePath("ini"), "occupato"));
    sessione.nome_utente = "A";
    sessione.cartella_utente = tmp.filePath("T/A");
    EXPECT_FALSE(Salva_File_Config(sessione, cartelle, {}, messaggi));
    QFile::remove(tmp.filePath("ini"));
    QDir().mkpath(tmp.filePath("T/A/A.cfg"));
    EXPECT_FALSE(Salva_File_Config(sessione, cartelle, {}, messaggi));
    EXPECT_FALSE(Carica_File_Config(sessione, messaggi, tmp.filePath("manca.cfg")));
    sessione.cartella_utente = tmp.filePath("T/" + QString(300, u'a'));
    EXPECT_FALSE(Salva_File_Config(sessione, cartelle, {}, messaggi));

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
