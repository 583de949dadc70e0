#include "athletes/frm_intestazione.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "display/frm_grafici.h"
#include "support/finti.h"
#include "support/grafico_finto.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>

class FrmIntestazione : public ::testing::Test {
protected:
    void SetUp() override {
        twips::imposta_per_pixel(15);
        QLocale::setDefault(QLocale::c());
        grafici = std::make_unique<Frm_grafici>(prova, casella, new GraficoFinto, [this] { return client; });
        intestazione = std::make_unique<Frm_intestazione>(sessione, *grafici, [this] { return client; });
    }
    void TearDown() override {
        intestazione.reset();
        grafici.reset();
        QLocale::setDefault(QLocale::system());
        twips::imposta_per_pixel(0);
    }
    // On the box itself, at the left: a wide check box takes clicks on its box and text only.
    void clic(QCheckBox* c) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2)); }
    // Which boxes are checked, in the order altezza, tv, potenza, tc.
    std::vector<bool> caselle() const {
        return {intestazione->Chk_altezza->isChecked(), intestazione->Chk_tv->isChecked(),
                intestazione->Chk_potenza->isChecked(), intestazione->Chk_tc->isChecked()};
    }
    QWidget* controllo(const QString& nome) {
        return nome == intestazione->objectName() ? intestazione.get() : intestazione->findChild<QWidget*>(nome);
    }
    // A width or height of 0 in `attese` is not compared: it follows the text.
    void confronta(const std::map<QString, QRect>& attese) {
        for (const auto& [nome, r] : attese) {
            QWidget* w = controllo(nome);
            ASSERT_NE(w, nullptr) << nome.toStdString();
            QRect g = w->geometry();
            if (r.width() == 0) g.setWidth(0);
            if (r.height() == 0) g.setHeight(0);
            EXPECT_EQ(g, r) << nome.toStdString();
        }
    }
    // The sized controls: the three lines side by side and clear of the check boxes,
    // each box no narrower than W / 8 and as tall as its row allows.
    void misure_dal_testo(int ottavo, int riga) {
        const QRect a = controllo("Lbl_intestazione")->geometry(), t = controllo("Lbl_t_volo")->geometry();
        EXPECT_EQ(controllo("Lbl_intestazione1")->width(), a.width());
        EXPECT_EQ(t.left(), a.right() + 1);
        EXPECT_LE(t.right(), intestazione->Chk_altezza->x());
        for (QCheckBox* c : {intestazione->Chk_altezza, intestazione->Chk_tv, intestazione->Chk_potenza, intestazione->Chk_tc}) {
            EXPECT_GE(c->width(), ottavo) << c->objectName().toStdString();
            EXPECT_EQ(c->height(), std::min(riga, c->sizeHint().height())) << c->objectName().toStdString();
        }
    }

    SessioneAtleta sessione;
    ModelloProva prova;
    CasellaInputFinta casella;
    QSizeF client{11880, 9000};
    std::unique_ptr<Frm_grafici> grafici;
    std::unique_ptr<Frm_intestazione> intestazione;
};

TEST_F(FrmIntestazione, IlCaricamentoScriveITestiEScegliAltezzaETempoContatto) {
    EXPECT_EQ(intestazione->windowTitle(), "INTESTAZIONE");
    EXPECT_EQ(intestazione->Lbl_intestazione->text(), "Atleta: Ilvor Darsena");
    EXPECT_EQ(intestazione->Lbl_intestazione1->text(), "Esercizio: Spinte Panca");
    EXPECT_EQ(intestazione->Lbl_t_volo->text(), "T volo min: 20ms");  // texts come after the layout
    EXPECT_EQ(caselle(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(grafici->Lbl_tvolo->text(), "ALTEZZA");
    EXPECT_EQ(grafici->lbl_tcontatto->text(), "TEMPO CONTATTO");
    EXPECT_TRUE(intestazione->Fre_altezza_tv->isHidden());
    EXPECT_EQ(intestazione->Fre_altezza_tv->title(), "Selezione grandezze visualizzata");
    EXPECT_EQ(intestazione->Chk_tv->text(), "Tempo volo");
    EXPECT_EQ(intestazione->Chk_tc->objectName(), "Chk_tc");
    // the jump panel now starts below the header
    grafici->riposiziona();
    EXPECT_EQ(grafici->y(), intestazione->geometry().bottom() + 1);
}

TEST_F(FrmIntestazione, AggiornaIntestazione) {
    sessione.nome_utente.clear();
    sessione.macchina_utente = "Squat";
    sessione.t_volo_min = -5;
    intestazione->Aggiorna_intestazione();
    EXPECT_EQ(intestazione->Lbl_intestazione->text(), "Atleta: ");
    EXPECT_EQ(intestazione->Lbl_intestazione1->text(), "Esercizio: Squat");
    EXPECT_EQ(intestazione->Lbl_t_volo->text(), "T volo min: -5ms");

    // Laying the header out keeps what it says: the minimum flight time.
    for (QSizeF c : {QSizeF(11880, 9000), QSizeF(38400, 21600), QSizeF(11880, 420)}) {
        client = c;
        intestazione->riposiziona();
        EXPECT_EQ(intestazione->Lbl_t_volo->text(), "T volo min: -5ms");
    }
    sessione.t_volo_min = 20;
    intestazione->Aggiorna_intestazione();
    EXPECT_EQ(intestazione->Lbl_t_volo->text(), "T volo min: 20ms");
}

TEST_F(FrmIntestazione, SpuntareUnaCasellaTogliLaCompagnaEScriveLaDidascalia) {
    intestazione->show();
    clic(intestazione->Chk_tv);
    EXPECT_EQ(caselle(), (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(grafici->Lbl_tvolo->text(), "TEMPO VOLO");
    clic(intestazione->Chk_potenza);
    EXPECT_EQ(caselle(), (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(grafici->lbl_tcontatto->text(), "POTENZA");

    // the jump panel reads the boxes for each new jump
    prova.aggiungi_salto(300);
    prova.completa_salto(500);
    EXPECT_EQ(grafici->Lbl_valore_tvolo->text(), "500");
    EXPECT_EQ(grafici->Lbl_valore_tcontatto->text(), "0");  // power of a first jump

    clic(intestazione->Chk_altezza);
    EXPECT_EQ(caselle(), (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(grafici->Lbl_tvolo->text(), "ALTEZZA");
    clic(intestazione->Chk_tc);
    EXPECT_EQ(caselle(), (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(grafici->lbl_tcontatto->text(), "TEMPO CONTATTO");
    prova.aggiungi_salto(250);
    EXPECT_EQ(grafici->Lbl_valore_tcontatto->text(), "250");
}

TEST_F(FrmIntestazione, TogliereUnaCasellaNonToccaAltroELaDidascaliaDiceCosaMostra) {
    intestazione->show();
    clic(intestazione->Chk_altezza);  // was checked
    EXPECT_EQ(caselle(), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(grafici->Lbl_tvolo->text(), "ALTEZZA");
    clic(intestazione->Chk_tc);
    EXPECT_EQ(caselle(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(grafici->lbl_tcontatto->text(), "POTENZA");  // what the value below shows
    // both clear: height and power
    prova.aggiungi_salto(300);
    EXPECT_EQ(grafici->Lbl_valore_tcontatto->text(), "0");
    prova.completa_salto(500);
    EXPECT_EQ(grafici->Lbl_valore_tvolo->text(), "31");
}

// The captions and the values under them agree whatever happens: a box changed
// shows the last jump again at once, a layout keeps the captions.
TEST_F(FrmIntestazione, DidascalieEValoriGrandiSempreDAccordo) {
    intestazione->show();
    auto grandi = [&] {
        return QStringList{grafici->Lbl_tvolo->text(), grafici->Lbl_valore_tvolo->text(),
                           grafici->lbl_tcontatto->text(), grafici->Lbl_valore_tcontatto->text()};
    };
    clic(intestazione->Chk_tv);  // an empty test
    EXPECT_EQ(grandi(), (QStringList{"TEMPO VOLO", "0", "TEMPO CONTATTO", "0"}));
    prova.aggiungi_salto(250);
    prova.completa_salto(400);
    prova.aggiungi_salto(300);
    prova.completa_salto(500);  // 30.6 cm, power 30.3
    EXPECT_EQ(grandi(), (QStringList{"TEMPO VOLO", "500", "TEMPO CONTATTO", "300"}));
    clic(intestazione->Chk_altezza);
    EXPECT_EQ(grandi(), (QStringList{"ALTEZZA", "31", "TEMPO CONTATTO", "300"}));
    clic(intestazione->Chk_potenza);
    const QString potenza = grafici->Lbl_valore_tcontatto->text();
    EXPECT_EQ(grandi(), (QStringList{"ALTEZZA", "31", "POTENZA", potenza}));
    EXPECT_NE(potenza, "300");
    clic(intestazione->Chk_potenza);  // both clear: still the power, so named
    EXPECT_EQ(grandi(), (QStringList{"ALTEZZA", "31", "POTENZA", potenza}));
    clic(intestazione->Chk_tc);
    clic(intestazione->Chk_tv);
    for (QSizeF c : {QSizeF(11880, 9000), QSizeF(38400, 21600)}) {
        client = c;
        intestazione->riposiziona();
        grafici->riposiziona();
        EXPECT_EQ(grandi(), (QStringList{"TEMPO VOLO", "500", "TEMPO CONTATTO", "300"}));
    }
    // the last jump deleted: the boxes show the one before it at their next change
    prova.elimina(2);
    clic(intestazione->Chk_altezza);
    EXPECT_EQ(grandi(), (QStringList{"ALTEZZA", "20", "TEMPO CONTATTO", "250"}));
    prova.azzera();
    EXPECT_EQ(grandi(), (QStringList{"ALTEZZA", "0", "TEMPO CONTATTO", "0"}));
}

TEST_F(FrmIntestazione, ConfiguraApreIlDialogoAttraversoIlGancio) {
    intestazione->show();
    QTest::mouseClick(intestazione->Button_Configura, Qt::LeftButton);  // no hook yet: nothing
    int aperture = 0;
    intestazione->imposta_apri_configurazione([&] { ++aperture; });
    QTest::mouseClick(intestazione->Button_Configura, Qt::LeftButton);
    EXPECT_EQ(aperture, 1);
}

// Expected positions (pixels at 15 twips per pixel, each placement's edges rounded
// to whole pixels) worked out by hand from the layout rules. The widths of the three
// lines and the check boxes' sizes follow their text (whether every text fits is
// tests/app/test_schermo.cpp's part).
TEST_F(FrmIntestazione, LayoutPerDueFinestre) {
    client = QSizeF(11880, 9000);  // H = 720 tw
    intestazione->riposiziona();
    const int hc = intestazione->Chk_altezza->height();
    confronta({
        {"Frm_intestazione", {0, 0, 792, 48}},
        {"Button_Configura", {0, 0, 88, 48}},
        {"Lbl_intestazione", {108, 3, 0, 24}},
        {"Lbl_intestazione1", {108, 27, 0, 24}},
        {"Fre_altezza_tv", {634, 3, 198, 46}},
        {"Chk_altezza", {448, 7, 0, hc}},
        {"Chk_tv", {448, 10 + hc, 0, hc}},
        {"Chk_potenza", {594, 7, 0, hc}},
        {"Chk_tc", {594, 10 + hc, 0, hc}},
    });
    EXPECT_EQ(intestazione->Lbl_t_volo->geometry().top(), 3);
    EXPECT_EQ(intestazione->Lbl_t_volo->height(), 24);
    misure_dal_testo(99, (48 - 10) / 2);  // rows below the top of 100 tw and in the gap of 50 tw
    EXPECT_TRUE(intestazione->Fre_altezza_tv->isHidden());

    client = QSizeF(15360, 10500);  // H = 840 tw
    intestazione->riposiziona();
    const int hc2 = intestazione->Chk_altezza->height();
    confronta({
        {"Frm_intestazione", {0, 0, 1024, 56}},
        {"Button_Configura", {0, 0, 114, 56}},
        {"Lbl_intestazione", {134, 3, 0, 28}},
        {"Lbl_intestazione1", {134, 31, 0, 28}},
        {"Fre_altezza_tv", {819, 3, 256, 54}},
        {"Chk_altezza", {579, 7, 0, hc2}},
        {"Chk_tv", {579, 10 + hc2, 0, hc2}},
        {"Chk_potenza", {768, 7, 0, hc2}},
        {"Chk_tc", {768, 10 + hc2, 0, hc2}},
    });
    misure_dal_testo(128, (56 - 10) / 2);
}

TEST_F(FrmIntestazione, UnaFinestraTroppoPiccolaSaltaSoloIlPassoCheFallisce) {
    client = QSizeF(15360, 10500);
    intestazione->riposiziona();
    const QRect riquadro = intestazione->Fre_altezza_tv->geometry();
    // MH 420: H = 33.6 tw -> 2 px = 30 tw, so the frame's height H - 40 is negative
    client = QSizeF(11880, 420);
    intestazione->riposiziona();
    EXPECT_EQ(intestazione->Fre_altezza_tv->geometry(), riquadro);
    EXPECT_TRUE(intestazione->Fre_altezza_tv->isHidden());
    const int hc = intestazione->Chk_altezza->height();
    confronta({
        {"Frm_intestazione", {0, 0, 792, 2}},
        {"Button_Configura", {0, 0, 88, 2}},
        {"Lbl_intestazione", {108, 3, 0, 1}},
        {"Chk_altezza", {448, 7, 0, hc}},
        {"Chk_tc", {594, 10 + hc, 0, hc}},
    });
}
