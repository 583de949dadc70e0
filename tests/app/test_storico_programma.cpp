// The history in the whole program: a test run on the simulated board, archived
// when it stops, is listed with the report's figures and opened again whole.
#include "banco_app.h"

#include "app/frm_main.h"
#include "display/frm_cmd.h"
#include "history/frm_storico.h"
#include "history/modello_storico.h"
#include "history/storico_atleta.h"
#include "support/file_prova.h"
#include "tools/figure_prova.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

TEST(StoricoProgramma, UnaProvaArchiviataSiElencaESiRiapre) {
    QString copione;  // six reports, the first discarded
    for (int i = 0; i < 6; ++i) copione += QStringLiteral("%1 %2 30\n").arg(190000 + 7000 * i).arg(520000 - 9000 * i);
    BancoApp b;
    b.con_scheda_hid(copione);
    b.avvia();
    Applicazione& a = *b.app;
    const QString atleta = b.cartella.filePath("Squadra/Anna");
    ASSERT_TRUE(QDir().mkpath(atleta));
    a.sessione().cartella_utente = atleta;
    a.sessione().nome_utente = QStringLiteral("Anna");
    a.sessione().macchina_utente = QStringLiteral("CMJ");

    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    ASSERT_TRUE(BancoApp::attendi([&] { return a.prova().numero() == 5; }, 5000));
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    const Salti salti = a.prova().salti();
    const QDateTime quando = a.prova().quando();
    // The archive's writer finishes the test into its text file.
    ASSERT_TRUE(BancoApp::attendi(
        [&] { return file_sotto(atleta).filter(QRegularExpression("^prove/CMJ_.*\\.csv$")).size() == 1; }, 5000))
        << qPrintable(file_sotto(atleta).join(' '));

    a.principale().findChild<QAction*>("mnuStrumentiStorico")->trigger();
    Frm_storico& s = a.storico();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !s.storico().in_lettura(); }, 5000));
    ASSERT_EQ(s.modello().rowCount(), 1);
    const ProvaStorico* p = s.modello().prova(0);
    ASSERT_TRUE(p->letta()) << qPrintable(p->motivo);
    EXPECT_EQ(p->esercizio, "CMJ");
    EXPECT_EQ(p->quando.toSecsSinceEpoch(), quando.toSecsSinceEpoch());  // the archive's name holds whole seconds
    const auto f = figure_prova::calcola(salti);
    EXPECT_EQ(p->figure.n_salti, 5);
    EXPECT_DOUBLE_EQ(p->figure.altezza_migliore, f.altezza_migliore);
    EXPECT_FLOAT_EQ(p->figure.medie[2], f.medie[2]);
    EXPECT_FLOAT_EQ(p->figure.decrementi[2], f.decrementi[2]);

    // ON empties the test; the history brings it back as it was.
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    QTest::mouseClick(a.comandi().Button_On, Qt::LeftButton);
    ASSERT_EQ(a.prova().numero(), 0);
    ASSERT_TRUE(s.apri_prova(0));
    EXPECT_EQ(a.prova().salti(), salti);
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << qPrintable(b.messaggi.testi().join('\n'));
}
