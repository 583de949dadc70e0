// Every menu item of the running program reaches its action; closing saves the settings.
#include "banco_app.h"
#include "support/file_prova.h"

#include "app/frm_main.h"
#include "board/collegamento_seriale.h"
#include "board/frm_seriale.h"
#include "tools/frm_crono.h"
#include "tools/frm_medie.h"
#include "tools/istanza_crono.h"
#include "display/frm_cmd.h"
#include "display/frm_grafici.h"
#include "history/frm_storico.h"

#include <QAction>
#include <QLabel>

#include <gtest/gtest.h>

namespace {
void attiva(Applicazione& a, const char* nome) {
    QAction* azione = a.principale().findChild<QAction*>(QString::fromLatin1(nome));
    ASSERT_NE(azione, nullptr) << nome;
    azione->trigger();
}
}  // namespace

TEST(MenuApplicazione, OgniVoceRaggiungeLaSuaAzione) {
    BancoApp b;
    b.con_scheda_hid({});
    bool chiuso = false;
    b.avvia([&](OpzioniAvvio& o) { o.alla_chiusura = [&] { chiuso = true; }; });
    Applicazione& a = *b.app;
    const QString cartella_atleta = b.cartella.filePath("squadra/atleta");
    a.sessione().cartella_utente = cartella_atleta;

    b.dialogo.risposte = {std::nullopt, std::nullopt, QStringLiteral("/prove/prova.xlsx"), std::nullopt};
    attiva(a, "mnuFileApri");
    attiva(a, "apri_csv");
    attiva(a, "apri_excel");
    attiva(a, "mnuFileSalva_dati");
    ASSERT_EQ(b.dialogo.visti.size(), 4u);
    EXPECT_EQ(b.dialogo.visti[0].richiesta.titolo, "Apri");
    EXPECT_EQ(b.dialogo.visti[0].richiesta.cartella_iniziale, cartella_atleta);
    EXPECT_EQ(b.dialogo.visti[2].richiesta.titolo, "Apri");
    EXPECT_EQ(b.avvio.documenti, QStringList{"/prove/prova.xlsx"});  // opened in the spreadsheet program
    EXPECT_TRUE(b.dialogo.visti[3].salvataggio);
    EXPECT_EQ(b.dialogo.visti[3].richiesta.titolo, "Salva dati con nome");
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << "cancelled dialogs are silent";

    attiva(a, "mnuImpostazioniConfigura");
    EXPECT_TRUE(a.configurazione().isVisible());
    attiva(a, "mnuImpostazioniParametri_Porta");
    EXPECT_TRUE(a.seriale().finestra()->isVisible());

    attiva(a, "mnuStrumentiCalcolo_medie");
    EXPECT_TRUE(a.medie().isVisible());
    attiva(a, "medie_parziali");
    EXPECT_EQ(b.messaggi.testi(), (QStringList{"Lista salti vuota!", "Lista salti vuota!"}));

    // The history of the athlete of the header, whose folder is not there yet.
    attiva(a, "mnuStrumentiStorico");
    EXPECT_TRUE(a.storico().isVisible());
    EXPECT_TRUE(a.storico().Lbl_stato->text().startsWith("La cartella dell'atleta non esiste"));

    attiva(a, "mnuStrumentiCronometro");
    ASSERT_NE(a.crono().aperta(), nullptr);
    EXPECT_TRUE(a.crono().aperta()->isVisible());
    attiva(a, "mnuStrumentiCalcolatrice");
    EXPECT_EQ(b.avvio.calcolatrici, 1);  // its failure stays silent
    attiva(a, "mnuHelpInformazioni");
    EXPECT_TRUE(b.messaggi.testi().back().startsWith("Hopa 1.0.0\n"));
    EXPECT_TRUE(b.messaggi.testi().back().contains(b.cartella.filePath("squadra/atleta/prove")));
    EXPECT_EQ(b.messaggi.mostrati.size(), 3u);

    // "Esci": the close sequence closes the tool windows and writes the settings.
    a.sessione().nome_utente = QStringLiteral("Niccolò");
    attiva(a, "mnuFileEsci");
    EXPECT_FALSE(a.principale().isVisible());
    EXPECT_EQ(a.crono().aperta(), nullptr);
    EXPECT_FALSE(a.configurazione().isVisible());
    EXPECT_FALSE(a.storico().isVisible());
    EXPECT_FALSE(a.seriale().finestra_esiste() && a.seriale().finestra()->isVisible());
    EXPECT_EQ(b.archivio.leggi("funz", "max_indice0", ""), "10");
    EXPECT_EQ(b.archivio.leggi("funz", "nome_utente", ""), QString::fromUtf8("Niccolò"));
    EXPECT_TRUE(chiuso);
}

TEST(MenuApplicazione, IPulsantiDelPannelloComandiRaggiungonoLeFinestre) {
    BancoApp b;
    b.con_scheda_hid({});
    b.avvia();
    Applicazione& a = *b.app;
    a.comandi().Button_Segnale->click();  // MEDIE
    EXPECT_TRUE(a.medie().isVisible());
    EXPECT_EQ(b.messaggi.testi(), QStringList{"Lista salti vuota!"});
    a.comandi().Button_Grafici->click();  // SET ASSI
    ASSERT_NE(a.grafici().assi(), nullptr);
    EXPECT_TRUE(a.grafici().assi()->isVisible());
    a.comandi().Button_Crono->click();
    ASSERT_NE(a.crono().aperta(), nullptr);
    a.comandi().Button_Calcolatrice->click();
    EXPECT_EQ(b.avvio.calcolatrici, 1);
    b.dialogo.risposte = {std::nullopt};
    a.comandi().Button_Ripetizioni->click();  // SALVA
    ASSERT_EQ(b.dialogo.visti.size(), 1u);
    EXPECT_EQ(b.dialogo.visti[0].richiesta.titolo, "Salva dati con nome");
}

TEST(MenuApplicazione, IlRapportoDellaProvaSulloSchermo) {
    BancoApp b;
    b.con_scheda_hid({});
    b.avvia();
    Applicazione& a = *b.app;
    attiva(a, "mnuFileEsporta_rapporto");
    attiva(a, "mnuFileStampa_rapporto");
    EXPECT_EQ(b.messaggi.testi(), (QStringList{"Lista salti vuota!", "Lista salti vuota!"}));
    EXPECT_TRUE(b.dialogo.visti.empty());

    // A test on screen: the report of it, suggested in the athlete's folder.
    a.sessione().cartella_utente = b.cartella.path();
    for (int k = 0; k < 3; ++k) {
        a.prova().aggiungi_salto(250);
        a.prova().completa_salto(420 + 10 * k);
    }
    const QString pdf = b.cartella.filePath("rapporto.pdf");
    b.dialogo.risposte = {pdf};
    attiva(a, "mnuFileEsporta_rapporto");
    ASSERT_EQ(b.dialogo.visti.size(), 1u);
    EXPECT_EQ(b.dialogo.visti[0].richiesta.cartella_iniziale, b.cartella.path());
    EXPECT_TRUE(contenuto(pdf).startsWith("%PDF"));
    b.stampa.percorso = b.cartella.filePath("stampato.pdf");
    attiva(a, "mnuFileStampa_rapporto");
    EXPECT_TRUE(contenuto(b.stampa.percorso).startsWith("%PDF"));
    EXPECT_EQ(b.messaggi.mostrati.size(), 2u);
}
