#include "display/frm_assi.h"
#include "support/finti.h"
#include "adapters/qt/grafico_qt.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

class FrmAssi : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void TearDown() override {
        dialogo.close();
        QLocale::setDefault(QLocale::system());
    }
    void rispondi(QPushButton* pulsante, const QString& risposta) {
        casella.risposte.push_back(risposta);
        QTest::mouseClick(pulsante, Qt::LeftButton);
    }

    GraficoQt grafico;
    CasellaInputFinta casella;
    Frm_assi dialogo{grafico, casella};
};

TEST_F(FrmAssi, ControlliETesti) {
    EXPECT_EQ(dialogo.objectName(), "Frm_assi");
    EXPECT_EQ(dialogo.windowTitle(), "Set Assi");
    EXPECT_EQ(dialogo.fra_altezza->title(), "Altezza (cm)");
    EXPECT_EQ(dialogo.Fra_tc->title(), "Tempo Contatto (msec)");
    for (QPushButton* p : {dialogo.Cmd_min_altezza, dialogo.Cmd_min_tc}) EXPECT_EQ(p->text(), "Minimo");
    for (QPushButton* p : {dialogo.cmd_max_altezza, dialogo.Cmd_max_tc}) EXPECT_EQ(p->text(), "Massimo");
    EXPECT_EQ(dialogo.Cmd_chiudi->text(), "CHIUDI");
    EXPECT_EQ(dialogo.Cmd_chiudi->objectName(), "Cmd_chiudi");
    EXPECT_EQ(dialogo.Txt_max_tc->objectName(), "Txt_max_tc");
}

TEST_F(FrmAssi, AnnullareIlMassimoDellAltezzaLoPortaAZero) {
    grafico.imposta_massimo(1, 70);
    QTest::mouseClick(dialogo.cmd_max_altezza, Qt::LeftButton);  // no answer: cancelled
    ASSERT_EQ(casella.richieste.size(), 1u);
    EXPECT_EQ(casella.richieste[0].prompt, "Inserisci valore in cm:");
    EXPECT_EQ(casella.richieste[0].titolo, "Hopa");
    EXPECT_EQ(casella.richieste[0].predefinito, "");
    EXPECT_EQ(grafico.massimo(1), 0);
    EXPECT_EQ(dialogo.Txt_max_altezza->text(), "0 cm");
}

TEST_F(FrmAssi, LaRegolaDelNumeroIniziale) {
    rispondi(dialogo.Cmd_min_altezza, "12,5");  // the comma ends the number
    EXPECT_EQ(grafico.minimo(1), 12);
    EXPECT_EQ(dialogo.Txt_min_altezza->text(), "12 cm");

    rispondi(dialogo.cmd_max_altezza, "12.5");
    EXPECT_EQ(grafico.massimo(1), 12.5);
    EXPECT_EQ(dialogo.Txt_max_altezza->text(), "12,5 cm");  // the locale's separator

    rispondi(dialogo.Cmd_max_tc, "1e3");
    EXPECT_EQ(grafico.massimo(2), 1000);
    EXPECT_EQ(dialogo.Txt_max_tc->text(), "1000 msec");
    EXPECT_EQ(casella.richieste.back().prompt, "Inserisci valore in msec:");

    rispondi(dialogo.Cmd_min_tc, " - 1 5 0 . 2 5 ms");  // blanks anywhere are ignored
    EXPECT_EQ(grafico.minimo(2), -150.25);
    EXPECT_EQ(dialogo.Txt_min_tc->text(), "-150,25 msec");

    rispondi(dialogo.Cmd_min_tc, "abc");
    EXPECT_EQ(grafico.minimo(2), 0);
    EXPECT_EQ(dialogo.Txt_min_tc->text(), "0 msec");
}

TEST_F(FrmAssi, IlLimiteEUnFloatA32Bit) {
    rispondi(dialogo.cmd_max_altezza, "0.1");
    EXPECT_EQ(grafico.massimo(1), static_cast<double>(0.1f));
    EXPECT_NE(grafico.massimo(1), 0.1);
    EXPECT_EQ(dialogo.Txt_max_altezza->text(), "0,1 cm");

    rispondi(dialogo.Cmd_max_tc, "123456789");  // 7 significant digits
    EXPECT_EQ(grafico.massimo(2), 123456792.0);
    EXPECT_EQ(dialogo.Txt_max_tc->text(), "1,234568E+08 msec");
}

TEST_F(FrmAssi, RiaprireMostraILimitiDelGraficoSenzaUnita) {
    rispondi(dialogo.cmd_max_altezza, "12.5");
    rispondi(dialogo.Cmd_min_altezza, "2");
    dialogo.show();
    EXPECT_EQ(dialogo.Txt_max_altezza->text(), "12,5");
    EXPECT_EQ(dialogo.Txt_min_altezza->text(), "2");
    QTest::mouseClick(dialogo.Cmd_chiudi, Qt::LeftButton);
    EXPECT_FALSE(dialogo.isVisible());

    rispondi(dialogo.Cmd_max_tc, "800");
    EXPECT_EQ(dialogo.Txt_max_tc->text(), "800 msec");
    grafico.imposta_minimo(1, 5);  // limits live in the graph, whoever sets them
    dialogo.show();
    EXPECT_EQ(dialogo.Txt_max_tc->text(), "800");
    EXPECT_EQ(dialogo.Txt_min_altezza->text(), "5");
    EXPECT_EQ(dialogo.Txt_max_altezza->text(), "12,5");
}

TEST_F(FrmAssi, UnMinimoSopraIlMassimoPassaComeImmesso) {
    rispondi(dialogo.cmd_max_altezza, "10");
    rispondi(dialogo.Cmd_min_altezza, "50");
    EXPECT_EQ(grafico.minimo(1), 50);
    EXPECT_EQ(grafico.massimo(1), 10);
}
