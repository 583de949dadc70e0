#include "tools/frm_medie.h"

#include "platform/twips.h"
#include "support/finti.h"

#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Dati {
    double t_volo = 0, altezza = 0, t_contatto = 0, s_acc = 0, potenza = 0;
};

class Medie : public ::testing::Test {
protected:
    void SetUp() override {
        locale_prima_ = QLocale();
        QLocale::setDefault(QLocale::c());
        twips::imposta_per_pixel(15);
        finestra_ = std::make_unique<Frm_medie>(risultati_, prova_, vista_, messaggi_);
    }
    void TearDown() override {
        finestra_.reset();
        twips::imposta_per_pixel(0);
        QLocale::setDefault(locale_prima_);
    }

    // Jumps 1..n with their repetition numbers 1..n.
    void prova(const std::vector<Dati>& dati) {
        std::vector<Salto> s;
        for (size_t i = 0; i < dati.size(); ++i) {
            const Dati& d = dati[i];
            s.push_back({d.t_volo, d.altezza, d.t_contatto, d.s_acc, d.potenza, static_cast<double>(i + 1)});
        }
        prova_.sostituisci(s);
    }
    QString media(int k) const { return casella("Txt_valore_media", k); }
    QString decremento(int k) const { return casella("Txt_dec_totale", k); }
    QString casella(const char* gruppo, int k) const {
        auto* t = finestra_->findChild<QLineEdit*>(QStringLiteral("%1_%2").arg(QLatin1String(gruppo)).arg(k));
        return t ? t->text() : QStringLiteral("<manca>");
    }

    RisultatiMedie risultati_;
    ModelloProva prova_;
    VistaSaltiFinta vista_;
    MessaggiFinti messaggi_;
    std::unique_ptr<Frm_medie> finestra_;
    QLocale locale_prima_;
};

TEST_F(Medie, TreSaltiMediaEDecrementoDallaRetta) {
    prova({{400, 0, 200, 0, 0}, {380, 0, 197, 0, 0}, {360, 0, 194, 0, 0}});
    finestra_->Calcolo_Medie();

    EXPECT_EQ(media(1), "380.0");
    EXPECT_EQ(decremento(1), "-20.0");
    EXPECT_EQ(media(2), "0.0");
    EXPECT_EQ(decremento(3), "-3.0");
    EXPECT_EQ(media(3), "197.0");
    EXPECT_TRUE(messaggi_.mostrati.empty());

    EXPECT_EQ(risultati_.medie[1], 380.0f);
    EXPECT_EQ(risultati_.decrementi[1], -20.0f);
    EXPECT_EQ(risultati_.decrementi[0], 0.0f);
    EXPECT_EQ(risultati_.decrementi[6], 1.0f);  // n_rip against itself: slope 1, times N - 2
    EXPECT_EQ(risultati_.medie[0], 0.0f);
    EXPECT_EQ(risultati_.medie[6], 0.0f);
}

TEST_F(Medie, IlDecrementoEPendenzaPerNMenoDue) {
    prova({{400}, {380}, {360}, {340}});
    finestra_->Calcolo_Medie();
    EXPECT_EQ(media(1), "370.0");
    EXPECT_EQ(decremento(1), "-40.0");
}

TEST_F(Medie, DueSaltiNessunDecremento) {
    prova({{400, 20, 150, 10, 90}, {300, 12, 250, 30, 70}});
    finestra_->Calcolo_Medie();
    EXPECT_EQ(media(1), "350.0");
    EXPECT_EQ(media(3), "200.0");
    EXPECT_EQ(media(4), "30.0");  // the first jump's push-off is left out
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(decremento(k), "0.0") << k;
    for (float d : risultati_.decrementi) EXPECT_EQ(d, 0.0f);
}

TEST_F(Medie, TuttiISaltiLascianoFuoriSpintaEPotenzaDelPrimo) {
    prova({{500, 30, 200, 40, 100}, {500, 30, 200, 20, 200}, {500, 30, 200, 25, 300}});
    finestra_->Calcolo_Medie();
    EXPECT_EQ(media(5), "250.0");
    EXPECT_EQ(media(4), "22.5");
    // 200, 300 against repetitions 1, 2: slope 100; 20, 25: slope 5.
    EXPECT_EQ(decremento(5), "100.0");
    EXPECT_EQ(decremento(4), "5.0");
    EXPECT_EQ(decremento(1), "0.0");
}

TEST_F(Medie, UnSoloSaltoDaMediaZeroPerSpintaEPotenza) {
    prova({{420, 21.6, 180, 35, 900}});
    finestra_->Calcolo_Medie();
    EXPECT_EQ(media(1), "420.0");
    EXPECT_EQ(media(2), "21.6");
    EXPECT_EQ(media(4), "0.0");
    EXPECT_EQ(media(5), "0.0");
    EXPECT_EQ(decremento(1), "0.0");
    EXPECT_TRUE(messaggi_.mostrati.empty());
}

TEST_F(Medie, ParzialiSoloISaltiSelezionatiConTutteLeGrandezze) {
    prova({{100, 1, 10, 1, 10}, {200, 2, 20, 2, 200}, {300, 3, 30, 3, 30}, {400, 4, 40, 4, 400}, {500, 5, 50, 5, 50}});
    vista_.selezionate = {1, 3};  // jumps 2 and 4
    finestra_->Calcolo_Medie(true);
    EXPECT_EQ(media(1), "300.0");
    EXPECT_EQ(media(2), "3.0");
    EXPECT_EQ(media(3), "30.0");
    EXPECT_EQ(media(4), "3.0");   // nothing left out in partial mode
    EXPECT_EQ(media(5), "300.0");
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(decremento(k), "0.0") << k;

    finestra_->Calcolo_Medie(false);  // the same test, all jumps
    EXPECT_EQ(media(1), "300.0");
    EXPECT_EQ(media(5), "170.0");  // 200, 30, 400, 50
    EXPECT_EQ(decremento(1), "300.0");  // slope 100 times 3
}

TEST_F(Medie, ParzialiLaRettaUsaINumeriDiRipetizione) {
    // Jumps 1, 3, 5: flights 500, 460, 420 against repetitions 1, 3, 5 give a slope of
    // -20 per repetition, not -40 per selected jump.
    prova({{500}, {999}, {460}, {999}, {420}});
    vista_.selezionate = {4, 0, 2};
    finestra_->Calcolo_Medie(true);
    EXPECT_EQ(media(1), "460.0");
    EXPECT_EQ(decremento(1), "-20.0");
}

TEST_F(Medie, RigheSelezionateSenzaSaltoORipetuteNonContano) {
    prova({{300}, {320}, {340}});
    vista_.selezionate = {1, 7, 1, -1};
    finestra_->Calcolo_Medie(true);
    EXPECT_EQ(media(1), "320.0");
    EXPECT_EQ(decremento(1), "0.0");
    EXPECT_TRUE(messaggi_.mostrati.empty());
}

TEST_F(Medie, RipetizioniTutteUgualiNonDannoNumeriInvalidi) {
    std::vector<Salto> s(3);
    s[0].t_volo = 400, s[1].t_volo = 380, s[2].t_volo = 360;  // n_rip all 0
    prova_.sostituisci(s);
    finestra_->Calcolo_Medie();
    EXPECT_EQ(decremento(1), "0.0");
    for (float d : risultati_.decrementi) EXPECT_TRUE(std::isfinite(d));
}

TEST_F(Medie, ListaVuotaAvvisaELasciaIRisultatiPrecedenti) {
    EXPECT_EQ(media(1), "0.0");  // before any computation
    prova({{400}, {380}, {360}});
    finestra_->Calcolo_Medie();
    const auto medie_prima = risultati_.medie;
    const auto decrementi_prima = risultati_.decrementi;

    prova_.azzera();
    finestra_->Calcolo_Medie();
    ASSERT_EQ(messaggi_.mostrati.size(), 1u);
    EXPECT_EQ(messaggi_.mostrati[0].testo, "Lista salti vuota!");
    EXPECT_EQ(messaggi_.mostrati[0].titolo, "Hopa");
    EXPECT_EQ(media(1), "380.0");
    EXPECT_EQ(decremento(1), "-20.0");
    EXPECT_EQ(risultati_.medie, medie_prima);
    EXPECT_EQ(risultati_.decrementi, decrementi_prima);

    // Partial mode with jumps but none selected is just as empty.
    prova({{100}, {200}});
    vista_.selezionate.clear();
    finestra_->Calcolo_Medie(true);
    EXPECT_EQ(messaggi_.testi(), QStringList({"Lista salti vuota!", "Lista salti vuota!"}));
    EXPECT_EQ(media(1), "380.0");

    // A window built again shows the results kept in the state.
    finestra_ = std::make_unique<Frm_medie>(risultati_, prova_, vista_, messaggi_);
    EXPECT_EQ(media(1), "380.0");
    EXPECT_EQ(decremento(1), "-20.0");
}

TEST_F(Medie, ValoriColSeparatoreDelLocale) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    prova({{400, 21.25}, {380, 20.5}, {360, 19.75}});
    finestra_->Calcolo_Medie();
    EXPECT_EQ(media(2), "20,5");
    EXPECT_EQ(decremento(2), "-0,8");  // -0.75 rounded away from zero
}

TEST_F(Medie, ColonneDiRigheImpilate) {
    Frm_medie& f = *finestra_;
    for (const char* nome : {"Text1", "Text2", "Cmd_chiudi"}) EXPECT_TRUE(f.findChild<QWidget*>(nome)) << nome;
    const QStringList righe = {"Tempo Volo (msec)", "Altezza (cm)", "Tempo Contatto (msec)", "Spazio Acc. (cm)",
                               "Potenza (Watt)"};
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(casella("Txt_medie", k), righe[k - 1]);

    for (auto* g : {&f.Txt_medie, &f.Txt_valore_media, &f.Txt_dec_totale}) {
        ASSERT_EQ(g->limite_superiore(), 5);
        EXPECT_TRUE((*g)[0]->isHidden()) << g->nome().toStdString();
        for (int k = 1; k <= 5; ++k) {
            QLineEdit* sopra = (*g)[k - 1];
            QLineEdit* riga = (*g)[k];
            EXPECT_FALSE(riga->isHidden());
            EXPECT_EQ(riga->x(), sopra->x());
            // 150 twips = 10 pixels at 15 twips per pixel.
            EXPECT_EQ(riga->y(), sopra->y() + sopra->height() + 10) << k;
        }
    }
    EXPECT_FALSE(f.findChild<QLineEdit*>("Txt_medie_6"));

    f.show();
    f.Cmd_chiudi->click();
    EXPECT_FALSE(f.isVisible());
}

// The values are results: they cannot be edited, take no focus and have neither
// the frame nor the background of a field to type in.
TEST_F(Medie, IValoriSonoRisultatiNonCampi) {
    prova({{400, 30, 200, 40, 100}, {380, 28, 210, 38, 200}, {360, 26, 220, 36, 300}});
    finestra_->Calcolo_Medie();
    finestra_->show();
    std::vector<QLineEdit*> caselle = {finestra_->Text1, finestra_->Text2};
    for (auto* g : {&finestra_->Txt_medie, &finestra_->Txt_valore_media, &finestra_->Txt_dec_totale})
        for (int k = 1; k <= 5; ++k) caselle.push_back((*g)[k]);
    for (QLineEdit* t : caselle) {
        const std::string nome = t->objectName().toStdString();
        EXPECT_TRUE(t->isReadOnly()) << nome;
        EXPECT_FALSE(t->hasFrame()) << nome;
        EXPECT_EQ(t->focusPolicy(), Qt::NoFocus) << nome;
        EXPECT_EQ(t->palette().color(QPalette::Base), finestra_->palette().color(QPalette::Window)) << nome;
        const QString prima = t->text();
        QTest::mouseClick(t, Qt::LeftButton);
        QTest::keyClicks(t, "99");
        EXPECT_EQ(t->text(), prima) << nome;
    }
    EXPECT_EQ(media(1), "380.0");
    EXPECT_EQ(finestra_->Text1->text(), "MEDIA");
}

TEST_F(Medie, BordoSinistroAMetaDellaFinestraPrincipale) {
    finestra_->colloca(801, QPoint(10, 20));
    EXPECT_EQ(finestra_->pos(), QPoint(410, 20));

    QMdiArea area;
    area.resize(1000, 700);
    auto* f = new Frm_medie(risultati_, prova_, vista_, messaggi_);
    QMdiSubWindow* sotto = area.addSubWindow(f);
    f->colloca(area.viewport()->width());
    EXPECT_EQ(sotto->x(), area.viewport()->width() / 2);
    EXPECT_LT(f->x(), area.viewport()->width() / 2);  // the window itself stays inside its frame
}

}  // namespace
