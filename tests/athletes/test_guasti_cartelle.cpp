// The register on a disk that changes under the program: the athlete folders
// removed or replaced while it runs, and register files of extreme shape.
#include "athletes/file_config.h"
#include "athletes/file_elenchi.h"
#include "athletes/frm_configura.h"
#include "platform/twips.h"
#include "support/file_prova.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
#include "support/finti.h"

#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class GuastiCartelle : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        prog = tmp.filePath("prog");
        QDir().mkpath(prog);
        cartelle.programma = prog;
        twips::imposta_per_pixel(15);
    }
    void TearDown() override { twips::imposta_per_pixel(0); }
    Frm_configura& apri() {
        if (!dlg) dlg = std::make_unique<Frm_configura>(sessione, cartelle, archivio, messaggi, casella, intestazione);
        dlg->mostra();
        return *dlg;
    }
    void nuovo(int riga, const QString& risposta) {
        casella.risposte.push_back(risposta);
        dlg->Cmd_add(riga)->click();
    }
    QTemporaryDir tmp;
    QString prog;
    SessioneAtleta sessione;
    CartelleProgramma cartelle;
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    CasellaInputFinta casella;
    VistaIntestazioneFinta intestazione;
    std::unique_ptr<Frm_configura> dlg;
};

}  // namespace

TEST_F(GuastiCartelle, CartelleCancellateMentreIlProgrammaGiraVengonoRicreate) {
    auto& d = apri();
    nuovo(riga_squadra, "Squadra");
    nuovo(riga_atleta, "Rossi");
    d.Cmd_ok()->click();
    const QStringList prima = file_sotto(prog);
    ASSERT_TRUE(prima.contains("ini/hopa.ini"));
    ASSERT_EQ(prima.size(), 2) << prima.join(", ").toStdString();  // the list file and the athlete file
    ASSERT_TRUE(messaggi.mostrati.empty());

    // Someone empties the program's folder: lists, team and athlete folders all go.
    for (const QString& voce : QDir(prog).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        ASSERT_TRUE(QDir(QDir(prog).filePath(voce)).removeRecursively());

    // Reopening builds the rows from what is left (nothing), and the commit writes it all again.
    apri();
    EXPECT_EQ(d.txt_utente(riga_atleta)->count(), 0);
    nuovo(riga_squadra, "Squadra");
    nuovo(riga_atleta, "Rossi");
    d.Cmd_ok()->click();
    EXPECT_EQ(file_sotto(prog), prima);
    EXPECT_TRUE(messaggi.mostrati.empty()) << messaggi.testi().join("; ").toStdString();
    EXPECT_EQ(sessione.nome_utente, "Rossi");

    // The athlete's folder removed after the commit: reading its file says why.
    ASSERT_TRUE(QDir(sessione.cartella_utente).removeRecursively());
    EXPECT_FALSE(Carica_File_Config(sessione, messaggi, QDir(sessione.cartella_utente).filePath("Rossi.cfg")));
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Carica_File_Config: "));
}

TEST_F(GuastiCartelle, UnFileAlPostoDellaCartellaDellAtletaFermaIlCommitConUnMessaggio) {
    auto& d = apri();
    nuovo(riga_squadra, "Squadra");
    nuovo(riga_atleta, "Rossi");
    d.Cmd_ok()->click();
    ASSERT_TRUE(messaggi.mostrati.empty());
    const QString cartella = sessione.cartella_utente;
    ASSERT_TRUE(QDir(cartella).removeRecursively());
    ASSERT_TRUE(scrivi_file(cartella, "non una cartella"));

    apri();
    nuovo(riga_atleta, "Rossi");  // already listed: only the commit runs, and fails
    messaggi.mostrati.clear();
    EXPECT_FALSE(d.Applica_configurazione());
    ASSERT_FALSE(messaggi.mostrati.empty());
    EXPECT_TRUE(messaggi.mostrati.back().testo.startsWith("Applica_configurazione: "))
        << messaggi.mostrati.back().testo.toStdString();
    QFile f(cartella);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "non una cartella");
}

// A line of 1 MB, NUL bytes and counts far beyond what the file holds: the
// readers take what is there and invent nothing.
TEST_F(GuastiCartelle, FileDelRegistroDiFormaEstrema) {
    const QByteArray lunga(1 << 20, 'x');
    const QByteArray nul(1, '\0');
    ASSERT_TRUE(scrivi_file(cartelle.file_ini(), " 4 \r\n 1 \r\n" + lunga + "\r\nA" + nul + "B\r\n 32767 \r\nCMJ\r\n"));
    RigheConfigurazione righe;
    leggi_file_ini(cartelle, messaggi, righe);
    ASSERT_EQ(righe[riga_squadra].voci.size(), 2);
    EXPECT_EQ(righe[riga_squadra].voci[0].size(), 1 << 20);
    EXPECT_EQ(righe[riga_squadra].voci[1], QString::fromLatin1("A\0B", 3));
    EXPECT_EQ(righe[riga_esercizio].voci, QStringList{"CMJ"});  // then the file ends: nothing invented
    EXPECT_TRUE(righe[riga_t_volo].voci.isEmpty());
    EXPECT_TRUE(messaggi.mostrati.empty());

    const QString cfg = tmp.filePath("a.cfg");
    ASSERT_TRUE(scrivi_file(cfg, QByteArray("hopa_cfg\r\n 1 \r\n") + lunga + "\r\n" + nul + "\r\n"));
    EXPECT_TRUE(Carica_File_Config(sessione, messaggi, cfg));
    EXPECT_EQ(sessione.indice_utente[0], 1);
    EXPECT_EQ(sessione.indice_utente[1], 0) << "a line of letters is no number";
    EXPECT_TRUE(messaggi.mostrati.empty());
}
