#include "tools/frm_crono.h"
#include "tools/istanza_crono.h"

#include "support/finti.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QPointer>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

class Crono : public ::testing::Test {
protected:
    void SetUp() override {
        locale_prima_ = QLocale();
        QLocale::setDefault(QLocale::c());
        f_ = nuova();
    }
    void TearDown() override {
        delete f_.data();
        QLocale::setDefault(locale_prima_);
    }

    Frm_crono* nuova() {
        auto t = std::make_unique<TemporizzatoreFinto>();
        timer_ = t.get();
        return new Frm_crono(orologio_, beep_, casella_, std::move(t));
    }
    void avvia(int32_t tick) {
        orologio_.adesso = tick;
        f_->Command1->click();
    }
    // One timer tick at `ms` after the start tick.
    void tick(int32_t ms) {
        orologio_.adesso = static_cast<int32_t>(static_cast<uint32_t>(inizio_) + static_cast<uint32_t>(ms));
        timer_->scatta();
    }
    QStringList mostrato() const {
        return {f_->Txt_minuti->text(), f_->Txt_secondi->text(), f_->Txt_decimi->text()};
    }
    // Ticks every 100 ms from `da` to `a` (inclusive); returns the times that beeped.
    std::vector<int32_t> beep_tra(int32_t da, int32_t a) {
        std::vector<int32_t> quando;
        for (int32_t ms = da; ms <= a; ms += 100) {
            int prima = beep_.suonati;
            tick(ms);
            if (beep_.suonati != prima) quando.push_back(ms);
        }
        return quando;
    }
    void imposta_intervallo(const QString& risposta) {
        casella_.risposte.push_back(risposta);
        f_->cmd_conto_rovescia->click();
    }

    ContatoreFinto orologio_;
    BeepFinto beep_;
    CasellaInputFinta casella_;
    TemporizzatoreFinto* timer_ = nullptr;
    QPointer<Frm_crono> f_;
    int32_t inizio_ = 0;
    QLocale locale_prima_;
};

TEST_F(Crono, ValoriAlCaricamento) {
    for (const char* nome : {"Fre_crono", "Txt_minuti", "Txt_secondi", "Txt_decimi", "Command1", "Command2",
                             "Chk_avviso_acustico", "Fre_conto_rovescia", "txt_valore_cv", "cmd_conto_rovescia"})
        EXPECT_TRUE(f_->findChild<QWidget*>(QLatin1String(nome))) << nome;
    EXPECT_EQ(mostrato(), QStringList({"min", "sec", "dec"}));
    EXPECT_TRUE(f_->Chk_avviso_acustico->isChecked());
    EXPECT_TRUE(f_->Fre_conto_rovescia->isEnabled());
    EXPECT_EQ(f_->txt_valore_cv->text(), "5 sec");
    EXPECT_FALSE(timer_->abilitato());
}

TEST_F(Crono, LetturaDelTempoTrascorso) {
    inizio_ = 123456;
    avvia(inizio_);
    EXPECT_TRUE(timer_->abilitato());
    EXPECT_EQ(timer_->intervallo(), 100);
    tick(1000);
    EXPECT_EQ(mostrato(), QStringList({"00", "01", "0"}));
    tick(12345);
    EXPECT_EQ(mostrato(), QStringList({"00", "12", "3"}));
    tick(754300);  // 12 min 34.3 s
    EXPECT_EQ(mostrato(), QStringList({"12", "34", "3"}));
}

// Minutes, seconds and tenths are read from the same instant and never run ahead
// of it: a second or a minute shows only once it has passed.
TEST_F(Crono, LaLetturaNonPrecedeIlTempo) {
    avvia(0);
    const std::vector<std::pair<int32_t, std::string>> casi = {
        {950, "00 00 9"},   {999, "00 00 9"},   {12960, "00 12 9"},   {59950, "00 59 9"},     {59999, "00 59 9"},
        {60000, "01 00 0"}, {61500, "01 01 5"}, {119999, "01 59 9"}, {3599999, "59 59 9"}, {3600000, "60 00 0"}};
    for (const auto& [ms, atteso] : casi) {
        tick(ms);
        EXPECT_EQ(mostrato().join(' ').toStdString(), atteso) << ms << " ms";
    }
    // Every reading of a run of ticks is at or below the time it was taken at.
    for (int32_t ms = 0; ms <= 125000; ms += 37) {
        tick(ms);
        const QStringList m = mostrato();
        const int32_t letto = m[0].toInt() * 60000 + m[1].toInt() * 1000 + m[2].toInt() * 100;
        ASSERT_LE(letto, ms);
        ASSERT_GT(letto, ms - 100);
    }
}

TEST_F(Crono, StopFermaEStartRiparteDaZero) {
    avvia(0);
    tick(30000);
    f_->Command2->click();
    EXPECT_FALSE(timer_->abilitato());
    tick(45000);  // a stopped timer does not tick
    EXPECT_EQ(mostrato(), QStringList({"00", "30", "0"}));

    inizio_ = 50000;
    avvia(inizio_);
    tick(1000);
    EXPECT_EQ(mostrato(), QStringList({"00", "01", "0"}));
    inizio_ = 70000;  // Start while running restarts too
    avvia(inizio_);
    tick(2000);
    EXPECT_EQ(mostrato(), QStringList({"00", "02", "0"}));
}

TEST_F(Crono, ContatoreCheSiRiavvolge) {
    inizio_ = INT32_MAX - 499;
    avvia(inizio_);
    tick(1000);  // the counter has wrapped past INT32_MAX
    EXPECT_LT(orologio_.adesso, 0);
    EXPECT_EQ(mostrato(), QStringList({"00", "01", "0"}));
}

TEST_F(Crono, BeepOgniCinqueSecondiDelMinuto) {
    avvia(0);
    // Rounded seconds reach 5 at 4.6 s (4.5 rounds to 4), 10 at 9.5 s, ...; 60 at
    // 59.5 s is the multiple that closes the minute; 0 at 60 s is not armed again.
    EXPECT_EQ(beep_tra(0, 65000), (std::vector<int32_t>{4600, 9500, 14600, 19500, 24600, 29500, 34600, 39500,
                                                         44600, 49500, 54600, 59500, 64600}));
}

TEST_F(Crono, IntervalloCheNonDivideSessantaSuonaAncheAInizioMinuto) {
    imposta_intervallo("7");
    EXPECT_EQ(f_->txt_valore_cv->text(), "7 sec");
    avvia(0);
    EXPECT_EQ(beep_tra(0, 61000),
              (std::vector<int32_t>{6600, 13500, 20600, 27500, 34600, 41500, 48600, 55500, 60000}));
}

TEST_F(Crono, AvvisoDisattivatoNonSuonaENonTocca) {
    avvia(0);
    tick(1000);  // second 1 arms the warning
    f_->Chk_avviso_acustico->click();
    EXPECT_FALSE(f_->Fre_conto_rovescia->isEnabled());
    EXPECT_TRUE(beep_tra(1100, 5000).empty());
    EXPECT_EQ(mostrato(), QStringList({"00", "05", "0"}));
    f_->Chk_avviso_acustico->click();
    EXPECT_TRUE(f_->Fre_conto_rovescia->isEnabled());
    EXPECT_EQ(beep_tra(5100, 5100), std::vector<int32_t>{5100});  // still armed from second 1

    // And a clear warning stays clear while off, even across non-multiples.
    inizio_ = 100000;
    avvia(inizio_);
    tick(0);
    f_->Chk_avviso_acustico->click();
    EXPECT_TRUE(beep_tra(100, 4000).empty());
    f_->Chk_avviso_acustico->click();
    EXPECT_TRUE(beep_tra(5000, 5000).empty());
}

TEST_F(Crono, IntervalloConMetaUsatoAlPari) {
    imposta_intervallo("2.5");
    ASSERT_EQ(casella_.richieste.size(), 1u);
    EXPECT_EQ(casella_.richieste[0].prompt, "Inserisci valore in secondi:");
    EXPECT_EQ(casella_.richieste[0].titolo, "Hopa");
    EXPECT_EQ(f_->txt_valore_cv->text(), "2.5 sec");
    avvia(0);
    EXPECT_EQ(beep_tra(0, 6100), (std::vector<int32_t>{1500, 3500, 5500}));  // every 2 s, not 3
}

TEST_F(Crono, IntervalloZeroNonSuonaMai) {
    for (const QString& risposta : {QString(), QStringLiteral("abc"), QStringLiteral("0.4")}) {
        beep_.suonati = 0;
        imposta_intervallo(risposta);
        inizio_ = 0;
        avvia(0);
        EXPECT_TRUE(beep_tra(0, 70000).empty()) << risposta.toStdString();
        EXPECT_EQ(mostrato(), QStringList({"01", "10", "0"}));
    }
    EXPECT_EQ(f_->txt_valore_cv->text(), "0.4 sec");

    imposta_intervallo(" 1 0 sec");  // blanks are ignored, the leading number counts
    EXPECT_EQ(f_->txt_valore_cv->text(), "10 sec");
    inizio_ = 0;
    avvia(0);
    EXPECT_EQ(beep_tra(0, 10000), std::vector<int32_t>{9500});
}

TEST_F(Crono, IntervalloNelFormatoDelLocale) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    imposta_intervallo("2.5");  // typed with a point, shown with the locale's separator
    EXPECT_EQ(f_->txt_valore_cv->text(), "2,5 sec");
}

TEST_F(Crono, ChiusaSiPerdeLoStatoEPoiSiRicrea) {
    delete f_.data();
    IstanzaCrono istanza([this] { return f_ = nuova(); });
    EXPECT_EQ(istanza.aperta(), nullptr);

    QPointer<Frm_crono> prima = istanza.finestra();
    EXPECT_EQ(istanza.finestra(), prima.data());  // one instance while open
    imposta_intervallo("9");
    avvia(0);
    TemporizzatoreFinto* timer_prima = timer_;
    prima->show();
    prima->close();
    EXPECT_FALSE(timer_prima->abilitato());
    EXPECT_EQ(istanza.aperta(), nullptr);

    Frm_crono* dopo = istanza.finestra();
    EXPECT_NE(dopo, prima.data());
    EXPECT_EQ(dopo->txt_valore_cv->text(), "5 sec");
    EXPECT_EQ(mostrato(), QStringList({"min", "sec", "dec"}));
    EXPECT_FALSE(timer_->abilitato());

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(prima.isNull());  // the closed window is destroyed

    istanza.chiudi();  // as the main window closes
    EXPECT_EQ(istanza.aperta(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f_.isNull());
}

}  // namespace
