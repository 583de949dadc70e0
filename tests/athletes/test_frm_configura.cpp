#include "athletes/file_atleta.h"
#include "athletes/frm_configura.h"
#include "platform/twips.h"
#include "support/file_prova.h"
#include "core/cartelle_programma.h"
#include "core/sessione_atleta.h"
#include "support/finti.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList voci(QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

class DialogoConfigura : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        prog = tmp.filePath("prog");
        QDir().mkpath(prog);
        cartelle.programma = prog;
        twips::imposta_per_pixel(15);
    }
    void TearDown() override { twips::imposta_per_pixel(0); }

    Frm_configura& dialogo() {
        if (!dlg) dlg = std::make_unique<Frm_configura>(sessione, cartelle, archivio, messaggi, casella, intestazione);
        return *dlg;
    }
    Frm_configura& apri() {
        dialogo().mostra();
        return *dlg;
    }
    // The operator picks entry k of a row.
    void scegli(int riga, int k) {
        QComboBox* c = dlg->txt_utente(riga);
        c->setCurrentIndex(k);
        emit c->activated(k);
    }
    void nuovo(int riga, const QString& risposta) {
        casella.risposte.push_back(risposta);
        dlg->Cmd_add(riga)->click();
    }
    QString leggi(const char* chiave) const { return archivio.leggi("funz", chiave, "<manca>"); }

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

TEST_F(DialogoConfigura, PrimoAvvioSenzaNullaSuDiscoEOkScriveSoloIlFileElenchi) {
    auto& d = apri();
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(d.isModal());
    for (int i = 0; i <= ultima_riga; ++i) {
        EXPECT_EQ(d.txt_utente(i)->count(), 0) << i;
        EXPECT_EQ(d.testo_riga(i), "") << i;
    }
    EXPECT_EQ(d.Txt_nota()->text(), "nota");

    d.Cmd_ok()->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(tutto_sotto(tmp.path()), QStringList({"prog", "prog/ini", "prog/ini/hopa.ini"}));
    EXPECT_EQ(contenuto(cartelle.file_ini()), " 4 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n");
    EXPECT_EQ(leggi("nome_utente"), "");
    EXPECT_EQ(leggi("squadra"), "");
    EXPECT_EQ(leggi("pos_utente"), "-1");
    EXPECT_EQ(leggi("pos_squadra"), "-1");
    for (int i = 0; i <= ultima_riga; ++i) EXPECT_EQ(sessione.indice_utente[i], -1);
    EXPECT_EQ(intestazione.aggiornamenti, 1);
    EXPECT_TRUE(messaggi.mostrati.empty());
    // The minimum row is empty: the minimum in force stays (0 ms would make every bounce a jump).
    EXPECT_EQ(sessione.t_volo_min, 20);
}

TEST_F(DialogoConfigura, RigheTestiEDisposizione) {
    auto& d = apri();
    QStringList etichette;
    for (int i = 0; i <= ultima_riga; ++i) {
        etichette << d.Lbl_utente(i)->text();
        EXPECT_EQ(d.txt_utente(i)->objectName(), "txt_utente_" + QString::number(i));
        const bool visibile = i != riga_nota;
        EXPECT_EQ(d.txt_utente(i)->isVisible(), visibile) << i;
        EXPECT_EQ(d.Cmd_add(i)->isVisible(), visibile) << i;
        EXPECT_EQ(d.Cmd_elimina(i)->isVisible(), visibile) << i;
        if (i == 0) continue;
        // At 15 twips per pixel the 150 twips between lists are 10 px.
        const QRect l = d.txt_utente(i)->geometry(), lp = d.txt_utente(i - 1)->geometry();
        EXPECT_EQ(l.top(), lp.top() + lp.height() + 10);
        EXPECT_EQ(d.Lbl_utente(i)->y(), d.Lbl_utente(i - 1)->y() + d.Lbl_utente(i - 1)->height());
        EXPECT_EQ(d.Cmd_add(i)->y(), l.top());
        EXPECT_EQ(d.Cmd_elimina(i)->y(), l.top());
    }
    EXPECT_EQ(etichette, QStringList({"Squadra", "Identificativo Atleta", "Identificativo Esercizio",
                                      "Tempo minimo Volo     (ms)", "Nota"}));
    EXPECT_EQ(d.Lbl_utente(0)->height(), d.txt_utente(0)->height() + 10);
    EXPECT_EQ(d.Txt_nota()->geometry(), d.txt_utente(riga_nota)->geometry());
    EXPECT_TRUE(d.Txt_nota()->isVisible());
    EXPECT_EQ(d.windowTitle(), "Impostazione dati esercizio");
}

TEST_F(DialogoConfigura, NuovaSquadraSiSelezionaSvuotaGliAtletiECreaLaCartella) {
    QDir().mkpath(prog + "/Vecchia/Anna");
    archivio.scrivi("funz", "squadra", "Vecchia");
    auto& d = apri();
    ASSERT_EQ(voci(d.txt_utente(riga_atleta)), QStringList({"Anna"}));

    nuovo(riga_squadra, "Nuova");
    ASSERT_EQ(casella.richieste.size(), 1u);
    EXPECT_EQ(casella.richieste[0].prompt, "Nuovo valore:");
    EXPECT_EQ(casella.richieste[0].titolo, "Hopa");
    EXPECT_EQ(d.testo_riga(riga_squadra), "Nuova");
    EXPECT_EQ(d.posizione_selezionata(riga_squadra), 0);
    EXPECT_EQ(d.txt_utente(riga_atleta)->count(), 0);
    EXPECT_TRUE(QFileInfo(prog + "/Nuova").isDir());
    EXPECT_EQ(sessione.squadra, "Nuova");
    EXPECT_EQ(leggi("squadra"), "Nuova");
    EXPECT_EQ(leggi("pos_squadra"), "0");
    EXPECT_EQ(sessione.cartella_utente, QDir(prog).filePath("Nuova"));
    EXPECT_TRUE(contenuto(cartelle.file_ini()).startsWith(" 4 \r\n 0 \r\nNuova\r\n"));

    // A new athlete in it gets its folder and its athlete file.
    nuovo(riga_atleta, QString::fromUtf8("Niccolò Bianchi"));
    const QString cartella = prog + QString::fromUtf8("/Nuova/Niccolò Bianchi");
    EXPECT_EQ(sessione.cartella_utente, cartella);
    EXPECT_TRUE(QFileInfo::exists(cartella + QString::fromUtf8("/Niccolò Bianchi.cfg")));
    EXPECT_EQ(leggi("nome_utente"), QString::fromUtf8("Niccolò Bianchi"));
    EXPECT_EQ(intestazione.aggiornamenti, 2);
}

TEST_F(DialogoConfigura, NuovoDoppioneOAnnullatoNonAggiungeMaApplicaComunque) {
    auto& d = apri();
    nuovo(riga_esercizio, "CMJ");
    ASSERT_EQ(voci(d.txt_utente(riga_esercizio)), QStringList({"CMJ"}));
    QFile::remove(cartelle.file_ini());

    nuovo(riga_esercizio, "CMJ");
    EXPECT_EQ(voci(d.txt_utente(riga_esercizio)), QStringList({"CMJ"}));
    EXPECT_TRUE(QFileInfo::exists(cartelle.file_ini()));
    QFile::remove(cartelle.file_ini());

    d.Cmd_add(riga_esercizio)->click();  // no answer left: the prompt is cancelled
    EXPECT_EQ(voci(d.txt_utente(riga_esercizio)), QStringList({"CMJ"}));
    EXPECT_TRUE(QFileInfo::exists(cartelle.file_ini()));

    nuovo(riga_esercizio, "cmj");  // the comparison counts letter case
    EXPECT_EQ(voci(d.txt_utente(riga_esercizio)), QStringList({"CMJ", "cmj"}));
    EXPECT_EQ(intestazione.aggiornamenti, 4);
    EXPECT_EQ(sessione.macchina_utente, "cmj");
    EXPECT_TRUE(messaggi.mostrati.empty());
}

TEST_F(DialogoConfigura, TempoMinimoDiVoloDalTestoDellaRiga) {
    auto& d = apri();
    nuovo(riga_t_volo, "35");
    EXPECT_EQ(sessione.t_volo_min, 35);
    nuovo(riga_t_volo, "35,5");
    EXPECT_EQ(sessione.t_volo_min, 35);
    nuovo(riga_t_volo, "22.5");
    EXPECT_EQ(sessione.t_volo_min, 22);
    EXPECT_EQ(sessione.indice_utente[riga_t_volo], 2);

    // Typed text is taken by the commit; it is no entry, so no position.
    d.txt_utente(riga_t_volo)->setEditText("40");
    d.txt_utente(riga_esercizio)->setEditText("Salto libero");
    d.Cmd_ok()->click();
    EXPECT_EQ(sessione.t_volo_min, 40);
    EXPECT_EQ(sessione.macchina_utente, "Salto libero");
    EXPECT_EQ(sessione.indice_utente[riga_t_volo], -1);
    // Typed text equal to an entry stands for that entry.
    d.mostra();
    d.txt_utente(riga_t_volo)->setEditText("35");
    d.Cmd_ok()->click();
    EXPECT_EQ(sessione.indice_utente[riga_t_volo], 0);
}

TEST_F(DialogoConfigura, EliminaToglieLaVoceESelezionaLaPrecedente) {
    ASSERT_TRUE(scrivi_file(QDir(prog).filePath("ini/hopa.ini"), " 4 \r\n-1 \r\n 2 \r\nA\r\nB\r\nC\r\n-1 \r\n-1 \r\n"));
    auto& d = apri();
    QComboBox* c = d.txt_utente(riga_esercizio);
    sessione.indice_utente[riga_esercizio] = -1;
    d.Aggiorna_campi(false);
    d.Cmd_elimina(riga_esercizio)->click();  // nothing selected: nothing happens
    EXPECT_EQ(voci(c), QStringList({"A", "B", "C"}));
    EXPECT_EQ(d.posizione_selezionata(riga_esercizio), -1);

    scegli(riga_esercizio, 2);
    d.Cmd_elimina(riga_esercizio)->click();
    EXPECT_EQ(voci(c), QStringList({"A", "B"}));
    EXPECT_EQ(d.testo_riga(riga_esercizio), "B");
    scegli(riga_esercizio, 0);
    d.Cmd_elimina(riga_esercizio)->click();
    EXPECT_EQ(voci(c), QStringList({"B"}));
    EXPECT_EQ(d.testo_riga(riga_esercizio), "B");
    d.Cmd_elimina(riga_esercizio)->click();
    EXPECT_EQ(c->count(), 0);
    EXPECT_EQ(d.testo_riga(riga_esercizio), "");
    d.Cmd_elimina(riga_esercizio)->click();
    EXPECT_EQ(c->count(), 0);
    // Nothing was written: the list file still holds the three entries.
    EXPECT_TRUE(contenuto(cartelle.file_ini()).contains("A\r\nB\r\nC\r\n"));
    EXPECT_EQ(intestazione.aggiornamenti, 0);
}

TEST_F(DialogoConfigura, EliminareUnaSquadraElencaGliAtletiDellaPrecedente) {
    ASSERT_TRUE(scrivi_file(QDir(prog).filePath("ini/hopa.ini"), " 4 \r\n 1 \r\nT1\r\nT2\r\n-1 \r\n-1 \r\n-1 \r\n"));
    QDir().mkpath(prog + "/T1/Uno");
    QDir().mkpath(prog + "/T2/Due");
    auto& d = apri();
    scegli(riga_squadra, 1);
    EXPECT_EQ(voci(d.txt_utente(riga_atleta)), QStringList({"Due"}));
    d.Cmd_elimina(riga_squadra)->click();
    EXPECT_EQ(d.testo_riga(riga_squadra), "T1");
    EXPECT_EQ(sessione.squadra, "T1");
    EXPECT_EQ(voci(d.txt_utente(riga_atleta)), QStringList({"Uno"}));
    EXPECT_EQ(d.testo_riga(riga_atleta), "Uno");
}

TEST_F(DialogoConfigura, AtletiInOrdineDiNomeEFileAtletaAllaSelezione) {
    ASSERT_TRUE(scrivi_file(QDir(prog).filePath("ini/hopa.ini"),
           " 4 \r\n 0 \r\nT\r\n 2 \r\nE0\r\nE1\r\nE2\r\n 1 \r\n20\r\n30\r\n-1 \r\n"));
    for (const char* a : {"Rossi", "anna", "Bianchi"}) QDir().mkpath(prog + "/T/" + a);
    QDir().mkpath(prog + "/T/.nascosta");
    ASSERT_TRUE(scrivi_file(prog + "/T/Rossi/Rossi.cfg", file_atleta::scrivi({0, 2, 2, 1, -1}, prog + "/T/Rossi")));
    ASSERT_TRUE(scrivi_file(prog + "/T/Bianchi/Bianchi.cfg", "non un file atleta\r\n"));
    archivio.scrivi("funz", "squadra", "T");
    auto& d = apri();
    EXPECT_EQ(voci(d.txt_utente(riga_atleta)), QStringList({"anna", "Bianchi", "Rossi"}));

    scegli(riga_esercizio, 1);
    scegli(riga_t_volo, 0);
    scegli(riga_atleta, 0);  // anna has no athlete file: rows 2 to 4 stay
    EXPECT_EQ(d.posizione_selezionata(riga_esercizio), 1);
    EXPECT_EQ(d.posizione_selezionata(riga_t_volo), 0);

    scegli(riga_atleta, 1);  // not an athlete file: the message, and the rows stay
    ASSERT_EQ(messaggi.testi(), QStringList({"File non compatibile!"}));
    EXPECT_EQ(d.posizione_selezionata(riga_esercizio), 1);

    scegli(riga_atleta, 2);  // Rossi's file re-selects rows 2 to 4, not rows 0 and 1
    EXPECT_EQ(d.posizione_selezionata(riga_esercizio), 2);
    EXPECT_EQ(d.posizione_selezionata(riga_t_volo), 1);
    EXPECT_EQ(d.posizione_selezionata(riga_squadra), 0);
    EXPECT_EQ(d.posizione_selezionata(riga_atleta), 2);
    EXPECT_EQ(sessione.indice_utente[1], 2);
    EXPECT_EQ(sessione.cartella_utente, prog + "/T/Rossi");
}

TEST_F(DialogoConfigura, AggiornaCampiSaltaLePosizioniFuoriDallaRiga) {
    ASSERT_TRUE(scrivi_file(QDir(prog).filePath("ini/hopa.ini"), " 4 \r\n 1 \r\nT1\r\nT2\r\n 2 \r\nE0\r\nE1\r\nE2\r\n 0 \r\n20\r\n-1 \r\n"));
    auto& d = apri();
    scegli(riga_squadra, 1);
    scegli(riga_esercizio, 1);
    scegli(riga_t_volo, 0);
    sessione.indice_utente = {2, 0, 3, -1, 0};
    d.Aggiorna_campi(true);
    EXPECT_EQ(d.posizione_selezionata(riga_squadra), 1);    // 2 is not below 2 entries
    EXPECT_EQ(d.posizione_selezionata(riga_esercizio), 1);  // 3 is not below 3 entries
    EXPECT_EQ(d.posizione_selezionata(riga_t_volo), -1);    // -1 clears the row
    EXPECT_EQ(d.testo_riga(riga_t_volo), "");
    EXPECT_FALSE(d.aggiornamento_in_corso());

    sessione.indice_utente = {0, 0, 0, 0, -7};
    d.Aggiorna_campi(false);  // rows 0 and 1 are left alone
    EXPECT_EQ(d.posizione_selezionata(riga_squadra), 1);
    EXPECT_EQ(d.posizione_selezionata(riga_esercizio), 0);
    EXPECT_EQ(d.posizione_selezionata(riga_t_volo), 0);
    // Re-selecting by code runs no selection handling: the team stays the one picked.
    EXPECT_EQ(sessione.squadra, "T2");
}

TEST_F(DialogoConfigura, LaSceltaConfermataSiRitrovaAllaRiapertura) {
    auto& d = apri();
    nuovo(riga_squadra, "A");
    nuovo(riga_squadra, "B");
    nuovo(riga_atleta, "Mario");
    nuovo(riga_atleta, "Luca");
    nuovo(riga_esercizio, "Squat, profondo");
    nuovo(riga_esercizio, "CMJ");
    nuovo(riga_t_volo, "30");
    scegli(riga_esercizio, 0);
    d.Cmd_ok()->click();
    ASSERT_FALSE(d.isVisible());
    ASSERT_TRUE(messaggi.mostrati.empty());

    // Another session: a fresh state and dialog over the same disk and store.
    SessioneAtleta nuova_sessione;
    cartelle.programma = prog;
    nuova_sessione.indice_utente.fill(-5);
    Frm_configura altro(nuova_sessione, cartelle, archivio, messaggi, casella, intestazione);
    altro.mostra();
    EXPECT_EQ(voci(altro.txt_utente(riga_squadra)), QStringList({"A", "B"}));
    EXPECT_EQ(voci(altro.txt_utente(riga_atleta)), QStringList({"Luca", "Mario"}));
    EXPECT_EQ(voci(altro.txt_utente(riga_esercizio)), QStringList({"Squat, profondo", "CMJ"}));
    EXPECT_EQ(altro.testo_riga(riga_squadra), "B");
    EXPECT_EQ(altro.testo_riga(riga_atleta), "Luca");
    EXPECT_EQ(altro.testo_riga(riga_esercizio), "Squat, profondo");
    EXPECT_EQ(altro.testo_riga(riga_t_volo), "30");
    EXPECT_EQ(nuova_sessione.cartella_utente, prog + "/B/Luca");
    EXPECT_EQ(nuova_sessione.indice_utente[5], 0);

    // Reopening the same dialog builds the rows afresh, without doubling them.
    d.mostra();
    EXPECT_EQ(voci(d.txt_utente(riga_squadra)), QStringList({"A", "B"}));
    EXPECT_EQ(d.Txt_nota()->text(), "nota");
}

TEST_F(DialogoConfigura, NomiPericolosiNonDiventanoCartelle) {
    auto& d = apri();
    const QStringList cattivi = {"..", "../../x", "a/b", "a\\b", "c:", "a*", "?", "<a>", "a|b", "a\tb", "   ",
                                 "fine.", "NUL", "com1.txt"};
    for (int riga : {riga_squadra, riga_atleta}) {
        for (const QString& nome : cattivi) {
            messaggi.mostrati.clear();
            nuovo(riga, nome);
            EXPECT_EQ(d.txt_utente(riga)->count(), 0) << nome.toStdString();
            ASSERT_EQ(messaggi.mostrati.size(), 1u) << nome.toStdString();
            EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Nome non valido")) << nome.toStdString();
        }
    }
    // The same characters are fine in an exercise, but a double quote is refused everywhere.
    messaggi.mostrati.clear();
    nuovo(riga_esercizio, "a/b: 40cm");
    nuovo(riga_esercizio, "salto \"alto\"");
    EXPECT_EQ(voci(d.txt_utente(riga_esercizio)), QStringList({"a/b: 40cm"}));
    EXPECT_EQ(messaggi.mostrati.size(), 1u);

    // Typed into the row, an unsafe name stops the commit and the dialog stays open.
    messaggi.mostrati.clear();
    d.txt_utente(riga_squadra)->setEditText("../fuori");
    d.Cmd_ok()->click();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_NE(sessione.squadra, "../fuori");
    EXPECT_EQ(tutto_sotto(tmp.path()), QStringList({"prog", "prog/ini", "prog/ini/hopa.ini"}));
}

// A name the file system cannot hold is refused like an unsafe one: never added to
// a row, written to the list file or committed.
TEST_F(DialogoConfigura, NomiTroppoLunghiPerIlDiscoNonEntrano) {
    auto& d = apri();
    nuovo(riga_squadra, "Squadra");
    ASSERT_EQ(sessione.squadra, "Squadra");
    const QByteArray ini_prima = contenuto(cartelle.file_ini());
    const QString lungo(300, u'x');
    for (int riga : {riga_squadra, riga_atleta}) {
        messaggi.mostrati.clear();
        nuovo(riga, lungo);
        EXPECT_FALSE(d.txt_utente(riga)->findText(lungo) >= 0) << riga;
        ASSERT_EQ(messaggi.mostrati.size(), 1u) << riga;
        EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Nome troppo lungo")) << riga;
    }
    EXPECT_EQ(contenuto(cartelle.file_ini()), ini_prima);

    // Typed into the row, it stops the commit: nothing is stored and the dialog stays open.
    messaggi.mostrati.clear();
    d.txt_utente(riga_atleta)->setEditText(lungo);
    d.Cmd_ok()->click();
    EXPECT_TRUE(d.isVisible());
    ASSERT_EQ(messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(messaggi.mostrati[0].testo.startsWith("Nome troppo lungo"));
    EXPECT_NE(sessione.nome_utente, lungo);
    EXPECT_NE(leggi("nome_utente"), lungo);
    EXPECT_EQ(contenuto(cartelle.file_ini()), ini_prima);
    EXPECT_EQ(tutto_sotto(prog), QStringList({"Squadra", "ini", "ini/hopa.ini"}));
}

TEST_F(DialogoConfigura, NomiPericolosiDaArchivioEFileNonSonoUsatiComePercorsi) {
    // An athlete file and athlete folders outside the program folder.
    ASSERT_TRUE(scrivi_file(tmp.filePath("fuori/x/x.cfg"), file_atleta::scrivi({7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7}, "/altrove")));
    QDir().mkpath(tmp.filePath("fuori/y"));
    archivio.scrivi("funz", "squadra", "../fuori");
    archivio.scrivi("funz", "nome_utente", "x");
    ASSERT_TRUE(scrivi_file(QDir(prog).filePath("ini/hopa.ini"), " 4 \r\n 0 \r\n../fuori\r\n-1 \r\n-1 \r\n-1 \r\n"));
    auto& d = apri();
    EXPECT_EQ(d.txt_utente(riga_atleta)->count(), 0);
    EXPECT_NE(sessione.indice_utente[5], 7);
    EXPECT_NE(sessione.cartella_utente, "/altrove");
    scegli(riga_squadra, 0);
    EXPECT_EQ(d.txt_utente(riga_atleta)->count(), 0);
    EXPECT_TRUE(messaggi.mostrati.empty());

    // Its folder's unsafe subfolder names are not listed either.
    QDir().mkpath(prog + "/T/buono");
    QDir().mkpath(prog + "/T/fine.");
    sessione.squadra = "T";
    d.Elenca_atleti();
    EXPECT_EQ(voci(d.txt_utente(riga_atleta)), QStringList({"buono"}));
}

TEST_F(DialogoConfigura, ModaleAllAvvioEAnnulla) {
    auto& d = dialogo();
    QTimer::singleShot(0, &d, [&d] {
        EXPECT_TRUE(d.isModal());
        d.Cmd_ok()->click();
    });
    EXPECT_EQ(d.mostra_modale(), QDialog::Accepted);
    EXPECT_TRUE(QFileInfo::exists(cartelle.file_ini()));
    QFile::remove(cartelle.file_ini());

    QTimer::singleShot(0, &d, [&d] { d.Cmd_annulla()->click(); });
    EXPECT_EQ(d.mostra_modale(), QDialog::Rejected);
    EXPECT_FALSE(QFileInfo::exists(cartelle.file_ini()));
    EXPECT_EQ(intestazione.aggiornamenti, 2);  // the commit, then the cancel

    d.mostra();
    d.reject();  // Escape or the close button: the same as "&Annulla"
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(intestazione.aggiornamenti, 3);
    d.mostra();
    d.chiudi();  // the main window closing: no header refresh
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(intestazione.aggiornamenti, 3);
}
