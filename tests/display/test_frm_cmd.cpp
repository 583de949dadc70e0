#include "core/sequenze_scheda.h"
#include "core/stato_collegamento.h"
#include "display/frm_cmd.h"
#include "platform/twips.h"
#include "support/finti.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SchedaFinta : public SequenzeScheda {
public:
    explicit SchedaFinta(StatoCollegamento& s) : stato(s) {}
    bool avvia_acquisizione() override {
        registro.push_back("avvia");
        if (!risponde) return false;
        stato.acquisizione = stato.scarta_primo = stato.avvio_hid = true;
        return true;
    }
    bool avvio_con_risposta() const override { return con_risposta; }
    bool con_risposta = false;  // a serial board: the start waits for its echoes
    bool risponde = true;
    void arresta_acquisizione() override {
        registro.push_back("arresta");
        stato.acquisizione = stato.scarta_primo = false;
    }
    void reset_linee() override { registro.push_back("linee"); }
    StatoCollegamento& stato;
    std::vector<std::string> registro;
};

class VistaRegistrata : public VistaSaltiFinta {
public:
    explicit VistaRegistrata(std::vector<std::string>& r) : registro(r) {}
    void azzera_prova() override {
        VistaSaltiFinta::azzera_prova();
        registro.push_back("azzera");
    }
    std::vector<std::string>& registro;
};

struct Banco {
    StatoCollegamento stato;
    SchedaFinta scheda{stato};
    VistaRegistrata vista{scheda.registro};
    int salvataggi = 0, medie = 0, assi = 0, crono = 0, calcolatrici = 0;
    Frm_cmd cmd{stato, vista, scheda,
                AzioniComandi{[this] { ++salvataggi; }, [this] { ++medie; }, [this] { ++assi; },
                              [this] { ++crono; }, [this] { ++calcolatrici; }}};
    Banco() { twips::imposta_per_pixel(15); }
    ~Banco() { twips::imposta_per_pixel(0); }
};

using Registro = std::vector<std::string>;

}  // namespace

TEST(Frm_cmd, TestiESuggerimenti) {
    Banco b;
    EXPECT_EQ(b.cmd.Button_start->text(), "RESET DATI");
    EXPECT_EQ(b.cmd.Button_Segnale->toolTip(), "Calcolo Medie su tutti i valori");
    EXPECT_EQ(b.cmd.Button_Ripetizioni->text(), "SALVA");
    EXPECT_EQ(b.cmd.Button_On->text(), "ON/OFF");
    EXPECT_EQ(b.cmd.Button_On->toolTip(), "Interrompi acquisizione");
    EXPECT_EQ(b.cmd.Button_Calcolatrice->toolTip(), "Mostra la colcolatrice");
    EXPECT_EQ(b.cmd.findChild<PulsanteSpia*>("Button_Grafici"), b.cmd.Button_Grafici);
    b.cmd.Button_On->setValue(true);
    EXPECT_EQ(b.cmd.Button_On->text(), "OFF");
}

TEST(Frm_cmd, AccesoSvuotaEAvviaSpentoArrestaETieneLaProva) {
    Banco b;
    QTest::mouseClick(b.cmd.Button_On, Qt::LeftButton);
    EXPECT_TRUE(b.cmd.Button_On->Value());
    EXPECT_EQ(b.scheda.registro, (Registro{"azzera", "avvia"}));
    EXPECT_TRUE(b.stato.acquisizione);
    QTest::mouseClick(b.cmd.Button_On, Qt::LeftButton);
    EXPECT_EQ(b.scheda.registro, (Registro{"azzera", "avvia", "arresta"}));
    EXPECT_EQ(b.vista.azzeramenti, 1);  // switching off keeps the test
    // The program's own change runs the same handling as the operator's.
    b.cmd.Button_On->setValue(true);
    EXPECT_EQ(b.scheda.registro.back(), "avvia");
    EXPECT_EQ(b.vista.azzeramenti, 2);
}

TEST(Frm_cmd, UnAvvioCheAspettaLaSchedaSvuotaSoloQuandoLaSchedaHaRisposto) {
    Banco b;
    QSignalSpy notizie(&b.cmd, &Frm_cmd::acquisizione_cambiata);
    b.scheda.con_risposta = true;
    b.scheda.risponde = false;
    QTest::mouseClick(b.cmd.Button_On, Qt::LeftButton);
    // A silent board: the test stays, the switch goes back off, no stop exchange runs.
    EXPECT_EQ(b.scheda.registro, Registro{"avvia"});
    EXPECT_EQ(b.vista.azzeramenti, 0);
    EXPECT_FALSE(b.cmd.Button_On->Value());
    EXPECT_EQ(b.cmd.Button_On->text(), "ON/OFF");
    EXPECT_FALSE(b.stato.acquisizione);
    EXPECT_EQ(notizie.size(), 0);

    b.scheda.risponde = true;
    QTest::mouseClick(b.cmd.Button_On, Qt::LeftButton);
    EXPECT_EQ(b.scheda.registro, (Registro{"avvia", "avvia", "azzera"}));
    QTest::mouseClick(b.cmd.Button_On, Qt::LeftButton);
    ASSERT_EQ(notizie.size(), 2);
    EXPECT_TRUE(notizie[0][0].toBool());
    EXPECT_FALSE(notizie[1][0].toBool());
}

TEST(Frm_cmd, ResetArrestaSvuotaEResettaLeLinee) {
    Banco b;
    b.cmd.Button_On->setValue(true);
    b.scheda.registro.clear();
    QTest::mouseClick(b.cmd.Button_start, Qt::LeftButton);
    EXPECT_EQ(b.scheda.registro, (Registro{"arresta", "azzera", "linee"}));
    EXPECT_FALSE(b.cmd.Button_On->Value());
    EXPECT_FALSE(b.stato.acquisizione);
    // Every press resets; with the switch off no stop is sent.
    b.scheda.registro.clear();
    QTest::mouseClick(b.cmd.Button_start, Qt::LeftButton);
    EXPECT_EQ(b.scheda.registro, (Registro{"azzera", "linee"}));
}

TEST(Frm_cmd, GliAltriPulsantiRaggiungonoLeLoroAzioni) {
    Banco b;
    QTest::mouseClick(b.cmd.Button_Ripetizioni, Qt::LeftButton);
    QTest::mouseClick(b.cmd.Button_Segnale, Qt::LeftButton);
    QTest::mouseClick(b.cmd.Button_Segnale, Qt::LeftButton);
    QTest::mouseClick(b.cmd.Button_Grafici, Qt::LeftButton);
    QTest::mouseClick(b.cmd.Button_Crono, Qt::LeftButton);
    QTest::mouseClick(b.cmd.Button_Calcolatrice, Qt::LeftButton);
    EXPECT_EQ(b.salvataggi, 1);
    EXPECT_EQ(b.medie, 2);  // once per press
    EXPECT_EQ(b.assi, 1);
    EXPECT_EQ(b.crono, 1);
    EXPECT_EQ(b.calcolatrici, 1);
    EXPECT_TRUE(b.scheda.registro.empty());
}

// Only ON/OFF holds a state: its light stays lit while it is on. The others are
// momentary: lit only while held down, and each press runs its action once.
TEST(Frm_cmd, SoloOnOffRestaAccesoGliAltriSonoMomentanei) {
    Banco b;
    QTest::mouseClick(b.cmd.Button_On, Qt::LeftButton);
    EXPECT_TRUE(b.cmd.Button_On->spia_accesa());
    const std::vector<std::pair<PulsanteSpia*, int*>> momentanei = {
        {b.cmd.Button_Segnale, &b.medie}, {b.cmd.Button_Grafici, &b.assi}, {b.cmd.Button_Crono, &b.crono}};
    for (auto [pulsante, conteggio] : momentanei) {
        const QString nome = pulsante->objectName();
        QTest::mousePress(pulsante, Qt::LeftButton);
        EXPECT_TRUE(pulsante->spia_accesa()) << nome.toStdString();
        QTest::mouseRelease(pulsante, Qt::LeftButton);
        EXPECT_FALSE(pulsante->spia_accesa()) << nome.toStdString();
        EXPECT_FALSE(pulsante->Value()) << nome.toStdString();
        EXPECT_EQ(*conteggio, 1) << nome.toStdString();
        pulsante->setFocus();
        QTest::keyClick(pulsante, Qt::Key_Space);
        EXPECT_FALSE(pulsante->spia_accesa()) << nome.toStdString();
        EXPECT_EQ(*conteggio, 2) << nome.toStdString();
    }
    EXPECT_TRUE(b.cmd.Button_On->spia_accesa());
    b.scheda.registro.clear();
    QTest::mouseClick(b.cmd.Button_start, Qt::LeftButton);
    EXPECT_FALSE(b.cmd.Button_start->spia_accesa());
    EXPECT_FALSE(b.cmd.Button_On->spia_accesa());  // the reset switched the test off
    EXPECT_EQ(b.scheda.registro, (Registro{"arresta", "azzera", "linee"}));
    QTest::mouseClick(b.cmd.Button_start, Qt::LeftButton);
    EXPECT_FALSE(b.cmd.Button_start->spia_accesa());
    EXPECT_EQ(b.scheda.registro, (Registro{"arresta", "azzera", "linee", "azzera", "linee"}));
}

TEST(Frm_cmd, IlRiposizionamentoNonFermaLAcquisizioneENonSovrappone) {
    Banco b;
    b.cmd.Button_On->setValue(true);
    b.scheda.registro.clear();
    for (double mw : {1500.0, 9000.0, 14400.0, 28800.0}) {
        b.cmd.riposiziona({mw, 9000, 7560});
        EXPECT_TRUE(b.cmd.Button_On->Value());
        const PulsanteSpia* ordine[] = {b.cmd.Button_start, b.cmd.Button_Segnale, b.cmd.Button_Ripetizioni,
                                        b.cmd.Button_On,    b.cmd.Button_Grafici, b.cmd.Button_Crono,
                                        b.cmd.Button_Calcolatrice};
        for (int i = 0; i + 1 < 7; ++i) {
            EXPECT_FALSE(ordine[i]->geometry().intersects(ordine[i + 1]->geometry()))
                << "width " << mw << " button " << i;
        }
    }
    EXPECT_TRUE(b.scheda.registro.empty());
}

TEST(Frm_cmd, GeometriaInTwips) {
    Banco b;
    b.cmd.riposiziona({15000, 9000, 7560});
    EXPECT_EQ(b.cmd.geometry(), QRect(0, 504, 1000, 90));
    EXPECT_EQ(b.cmd.Button_start->geometry(), QRect(0, 0, 111, 90));  // 15000 / 9 twips
    EXPECT_EQ(b.cmd.Button_Segnale->geometry().width(), 100);
    EXPECT_EQ(b.cmd.Button_On->geometry().left(), b.cmd.Button_Ripetizioni->geometry().right() + 1);
    // CRONO starts 200 twips after SET ASSI ends.
    EXPECT_NEAR(b.cmd.Button_Crono->geometry().left() - (b.cmd.Button_Grafici->geometry().right() + 1), 13, 1);
    EXPECT_NEAR(b.cmd.Button_Calcolatrice->geometry().width(), 15000 / 8.7 / 15, 1);
}
