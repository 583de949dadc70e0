// The program from start-up to a live test, against the simulated boards.
#include "banco_app.h"

#include "app/frm_main.h"
#include "athletes/frm_intestazione.h"
#include "board/collegamento_seriale.h"
#include "board/frm_hid.h"
#include "board/frm_seriale.h"
#include "board/trasporto_hid.h"
#include "display/frm_cmd.h"
#include "display/frm_grafici.h"
#include "platform/grafico.h"
#include "support/board_sim.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {
// Ten jumps, one report every 30 ms (the first one is discarded after a start).
QString dieci_salti() {
    QString c;
    for (int i = 0; i < 11; ++i) c += QStringLiteral("%1 %2 30\n").arg(200000 + 1000 * i).arg(400000 + 2000 * i);
    return c;
}
int righe(BancoApp& b) { return b.app->grafici().lista(0)->count(); }
}  // namespace

TEST(Avvio, ConLaSchedaHidUnaProvaDalTappetoAlloSchermo) {
    BancoApp b;
    b.con_scheda_hid(dieci_salti());
    b.avvia();
    Applicazione& a = *b.app;

    // Start-up found the board over HID: no serial detection, HID window hidden.
    EXPECT_TRUE(a.collegamento().hid_connesso);
    EXPECT_FALSE(a.collegamento().connesso);
    EXPECT_FALSE(a.hid().finestra()->isVisible());
    EXPECT_FALSE(a.seriale().finestra_esiste() && a.seriale().finestra()->isVisible());
    EXPECT_EQ(a.principale().windowTitle(), "Hopa 1.0.0 Connesso via HID");
    EXPECT_TRUE(a.principale().isVisible());
    EXPECT_FALSE(a.comandi().Button_On->Value());
    EXPECT_EQ(b.configurazioni_modali, 1);
    EXPECT_GE(b.beep.suonati, 1);
    const int beep_all_avvio = b.beep.suonati;

    // ON: "$S" reaches the board, reports become rows, labels and points.
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    ASSERT_TRUE(b.scheda->in_misura());
    ASSERT_TRUE(BancoApp::attendi([&] { return righe(b) == 10; }, 5000)) << righe(b);
    EXPECT_EQ(a.prova().numero(), 10);
    EXPECT_EQ(b.beep.suonati - beep_all_avvio, 10);  // one beep per jump
    EXPECT_EQ(a.grafici().lista(1)->testo(0), "402");  // the first report was discarded
    EXPECT_EQ(a.grafici().lista(0)->testo(9), "10");
    EXPECT_EQ(a.grafici().grafico().numero_punti(1), 10);
    EXPECT_EQ(a.grafici().grafico().numero_punti(2), 10);
    EXPECT_EQ(a.grafici().Lbl_valore_tcontatto->text(), "210");  // Chk_tc ticked at load

    // A resize while acquiring keeps acquiring.
    a.principale().resize(a.principale().width() + 120, a.principale().height() + 80);
    QCoreApplication::processEvents();
    EXPECT_TRUE(a.comandi().Button_On->Value());
    EXPECT_TRUE(a.collegamento().acquisizione);

    // OFF keeps every row; ON again empties them.
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    EXPECT_FALSE(b.scheda->in_misura());
    EXPECT_EQ(righe(b), 10);
    EXPECT_EQ(a.prova().numero(), 10);
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    EXPECT_EQ(righe(b), 0);
    EXPECT_EQ(a.prova().numero(), 0);
    EXPECT_EQ(a.grafici().grafico().numero_punti(1), 0);

    // "RESET DATI" stops and empties. (Its script over, the board waits for a new start.)
    b.scheda->imposta_sorgente(*SorgenteSalti::da_script(dieci_salti()));
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    ASSERT_TRUE(a.comandi().Button_On->Value());
    ASSERT_TRUE(BancoApp::attendi([&] { return righe(b) >= 2; }, 5000)) << righe(b);
    QTest::mouseClick(a.comandi().Button_start, Qt::LeftButton);
    EXPECT_FALSE(a.comandi().Button_On->Value());
    EXPECT_FALSE(a.collegamento().acquisizione);
    EXPECT_FALSE(b.scheda->in_misura());
    EXPECT_EQ(righe(b), 0);
    EXPECT_EQ(a.prova().numero(), 0);
}

TEST(Avvio, SenzaSchedaLaDidascaliaDiceNonConnesso) {
    BancoApp b;
    b.archivio.scrivi("Properties", "PortPath", b.cartella.filePath("nessuna_porta"));
    b.avvia();
    Applicazione& a = *b.app;
    EXPECT_EQ(a.principale().windowTitle(), "Hopa 1.0.0 non connesso");
    EXPECT_FALSE(a.comandi().Button_On->Value());
    EXPECT_FALSE(a.collegamento().connesso);
    EXPECT_EQ(b.configurazioni_modali, 1);
    // With no board on HID the HID window stays up; the serial window is hidden again.
    EXPECT_TRUE(a.hid().finestra()->isVisible());
    EXPECT_EQ(a.hid().finestra()->windowTitle(), "Testing..HID");
    EXPECT_FALSE(a.seriale().finestra_esiste() && a.seriale().finestra()->isVisible());
}

TEST(Avvio, LaSchedaSerialeVieneTrovataEAccendeDaSola) {
    QTemporaryDir d;
    Sim sim({"--copione", scrivi_copione(d, dieci_salti().toLatin1())});
    ASSERT_FALSE(sim.percorso.isEmpty()) << programma_board_sim.toStdString();
    BancoApp b;
    b.con_scheda_seriale(sim.percorso, 3);
    b.avvia();
    Applicazione& a = *b.app;
    EXPECT_TRUE(a.collegamento().connesso);
    EXPECT_EQ(a.principale().windowTitle(), "Hopa 1.0.0 connesso su com3");
    EXPECT_TRUE(a.comandi().Button_On->Value());
    EXPECT_TRUE(a.collegamento().acquisizione);
    ASSERT_TRUE(BancoApp::attendi([&] { return righe(b) == 10; }, 6000)) << righe(b);
    EXPECT_EQ(a.grafici().lista(2)->testo(0), "201");
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.testi().join('|').toStdString();
}

TEST(Avvio, LaSchedaSerialePersaAMetaProvaSpegneLInterruttore) {
    QTemporaryDir d;
    auto sim = std::make_unique<Sim>(QStringList{"--copione", scrivi_copione(d, QByteArray("250000 450000 30\n").repeated(400))});
    ASSERT_FALSE(sim->percorso.isEmpty());
    BancoApp b;
    b.con_scheda_seriale(sim->percorso, 2);
    b.avvia();
    Applicazione& a = *b.app;
    ASSERT_TRUE(a.comandi().Button_On->Value());
    ASSERT_TRUE(BancoApp::attendi([&] { return righe(b) >= 3; }, 6000)) << righe(b);

    sim->uccidi();  // the cable pulled
    ASSERT_TRUE(BancoApp::attendi([&] { return !a.comandi().Button_On->Value(); }, 3000));
    const int salti = a.prova().numero();
    BancoApp::attendi([] { return false; }, 200);
    EXPECT_EQ(a.comandi().Button_On->text(), "ON/OFF");
    EXPECT_FALSE(a.collegamento().connesso || a.collegamento().acquisizione);
    EXPECT_EQ(a.principale().windowTitle(), "Hopa 1.0.0 Disconnesso");
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u) << b.messaggi.testi().join('|').toStdString();
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("Scheda scollegata: la porta com2"));
    EXPECT_EQ(a.prova().numero(), salti);
    EXPECT_EQ(righe(b), salti);
}

TEST(Avvio, IlRidimensionamentoDisponeIntestazionePoiSaltiPoiComandi) {
    BancoApp b;
    b.con_scheda_hid({});
    b.avvia();
    b.app->principale().resize(900, 640);
    QCoreApplication::processEvents();
    EXPECT_EQ(b.app->ordine_riposizionamento(), (QStringList{"intestazione", "grafici", "comandi"}));
    const QRect i = b.app->intestazione().geometry(), g = b.app->grafici().geometry(),
                c = b.app->comandi().geometry();
    EXPECT_EQ(g.top(), i.bottom() + 1);
    EXPECT_EQ(c.top(), g.bottom() + 1);
    EXPECT_EQ(i.width(), b.app->principale().area()->width());
}
