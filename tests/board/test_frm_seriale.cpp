#include "banco_seriale.h"
#include "board/apertura_porta.h"
#include "board/frm_seriale.h"
#include "board/impostazioni_linea.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {
template <class T>
T* figlio(QWidget& w, const char* nome) {
    T* c = w.findChild<T*>(QString::fromLatin1(nome));
    EXPECT_NE(c, nullptr) << nome;
    return c;
}
QString scelto(QWidget& w, const char* nome) { return figlio<QComboBox>(w, nome)->currentText(); }
}  // namespace

TEST(ImpostazioniLinea, ScomposizionePerPosizioneDallaFine) {
    SceltaLinea a = scomponi_impostazioni("19200,N,8,1");
    EXPECT_EQ(a.velocita, "19200");
    EXPECT_EQ(a.parita, 2);
    EXPECT_EQ(a.bit_dati, "8");
    EXPECT_EQ(a.bit_stop, "1");
    SceltaLinea b = scomponi_impostazioni("110,o,7,1.5");
    EXPECT_EQ(b.velocita, "110");
    EXPECT_EQ(b.parita, 1);
    EXPECT_EQ(b.bit_dati, "7");
    EXPECT_EQ(b.bit_stop, "1,5");
    SceltaLinea c = scomponi_impostazioni("256000,S,5,2");
    EXPECT_EQ(c.velocita, "256000");
    EXPECT_EQ(c.parita, 4);
    for (const char* rotto : {"", "1", ".", "N,8,1", "x"}) {
        SceltaLinea r = scomponi_impostazioni(rotto);
        EXPECT_TRUE(r.velocita.isEmpty()) << rotto;
        EXPECT_EQ(r.parita == -1 || r.parita >= 0, true);
    }
    EXPECT_EQ(scomponi_impostazioni("9600,Q,8,1").parita, -1);
}

TEST(FrmSeriale, ControlliConIlLoroNomeEListe) {
    BancoSeriale b;
    frm_seriale& f = *b.c->finestra();
    EXPECT_EQ(f.objectName(), "frm_seriale");
    for (const char* n : {"Lbl_info"}) figlio<QLabel>(f, n);
    for (const char* n : {"Cmd_Auto", "cmdOK", "cmdCancel"}) figlio<QPushButton>(f, n);
    for (const char* n : {"optEcho_0", "optEcho_1", "optFlow_0", "optFlow_1", "optFlow_2"}) figlio<QRadioButton>(f, n);
    auto* port = figlio<QComboBox>(f, "cboPort");
    ASSERT_EQ(port->count(), 16);
    EXPECT_EQ(port->itemText(0), "Com1");
    EXPECT_EQ(port->itemText(15), "Com16");
    EXPECT_EQ(figlio<QComboBox>(f, "cboSpeed")->count(), 16);
    EXPECT_EQ(figlio<QComboBox>(f, "cboParity")->itemText(2), "Nessuna");
    EXPECT_EQ(figlio<QComboBox>(f, "cboStopBits")->itemText(1), "1,5");
    EXPECT_EQ(figlio<QComboBox>(f, "cboDataBits")->itemText(0), "4");
    EXPECT_EQ(figlio<QPushButton>(f, "Cmd_Auto")->text(), "Auto Set");
}

TEST(FrmSeriale, MostraLeImpostazioniDellaPorta) {
    BancoSeriale b;
    b.archivio.scrivi("Properties", "CommPort", "5");
    b.c->Leggi_impostazioni();
    EXPECT_EQ(b.porta->numero, 5);
    EXPECT_EQ(b.porta->linea, "19200,N,8,1");
    EXPECT_EQ(b.porta->handshaking_, Handshaking::Nessuno);
    EXPECT_FALSE(b.porta->scarta_nulli);
    EXPECT_FALSE(b.porta->aperta()) << "reading the settings does not open";
    frm_seriale& f = *b.c->finestra();
    EXPECT_EQ(scelto(f, "cboSpeed"), "19200");
    EXPECT_EQ(scelto(f, "cboParity"), "Nessuna");
    EXPECT_EQ(scelto(f, "cboDataBits"), "8");
    EXPECT_EQ(scelto(f, "cboStopBits"), "1");
    EXPECT_EQ(scelto(f, "cboPort"), "Com5");
    EXPECT_TRUE(figlio<QRadioButton>(f, "optFlow_0")->isChecked());
    EXPECT_TRUE(figlio<QRadioButton>(f, "optEcho_0")->isChecked());

    b.porta->linea = "9600,e,7,1.5";
    b.porta->handshaking_ = Handshaking::XonXoff;
    f.LoadPropertySettings();
    EXPECT_EQ(scelto(f, "cboSpeed"), "9600");
    EXPECT_EQ(scelto(f, "cboParity"), "Even");
    EXPECT_EQ(scelto(f, "cboDataBits"), "7");
    EXPECT_EQ(scelto(f, "cboStopBits"), "1,5");
    EXPECT_TRUE(figlio<QRadioButton>(f, "optFlow_1")->isChecked());
    EXPECT_EQ(figlio<QComboBox>(f, "cboPort")->count(), 16) << "the lists are filled once";
}

TEST(FrmSeriale, OkCambiaSoloLaPortaELaRicorda) {
    BancoSeriale b;
    frm_seriale& f = *b.c->finestra();
    f.show();
    Open_comm(*b.porta, b.st, b.messaggi);
    figlio<QComboBox>(f, "cboPort")->setCurrentIndex(6);
    figlio<QComboBox>(f, "cboSpeed")->setCurrentText("2400");
    f.cmdOK_Click();
    EXPECT_EQ(b.porta->numero, 7);
    EXPECT_TRUE(b.porta->aperta()) << "an open port is reopened on the new number";
    EXPECT_TRUE(b.st.invio_seriale);
    EXPECT_EQ(b.porta->linea, "19200,N,8,1") << "the speed chosen is not applied";
    EXPECT_EQ(b.archivio.leggi("Properties", "CommPort", ""), "7");
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

TEST(FrmSeriale, OkFallitoRimetteLaPortaVecchia) {
    BancoSeriale b;
    b.porta->numero = 2;
    Open_comm(*b.porta, b.st, b.messaggi);
    frm_seriale& f = *b.c->finestra();
    b.porta->guaste = {5};
    figlio<QComboBox>(f, "cboPort")->setCurrentIndex(4);
    f.cmdOK_Click();
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_EQ(b.messaggi.mostrati[0].testo, "Porta COM5 non disponibile");
    EXPECT_EQ(b.messaggi.mostrati[0].icona, Icona::Esclamazione);
    EXPECT_EQ(b.porta->numero, 2);
    EXPECT_TRUE(b.porta->aperta());
    EXPECT_TRUE(b.st.invio_seriale);
    EXPECT_EQ(b.archivio.leggi("Properties", "CommPort", ""), "2");
}

TEST(FrmSeriale, AnnullaChiudeLaFinestraMaNonLaPorta) {
    BancoSeriale b;
    b.c->mostra_finestra();
    Open_comm(*b.porta, b.st, b.messaggi);
    figlio<QComboBox>(*b.c->finestra(), "cboPort")->setCurrentIndex(9);
    b.c->finestra()->cmdCancel_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(b.c->finestra_esiste());
    EXPECT_EQ(b.porta->numero, 1);
    EXPECT_TRUE(b.porta->aperta());
    EXPECT_FALSE(b.archivio.contiene("Properties", "CommPort"));
    b.c->mostra_finestra();  // created again, with its initial values
    EXPECT_EQ(scelto(*b.c->finestra(), "cboPort"), "Com1");
}

TEST(FrmSeriale, RicercaAutomaticaSiFermaAllaPrimaPortaCheRisponde) {
    BancoSeriale b(50);
    SchedaSerialeFinta scheda(*b.porta);
    scheda.su_porte = {3, 6};
    b.porta->guaste = {2};
    frm_seriale& f = *b.c->finestra();
    f.show();
    f.Cmd_Auto_Click();
    EXPECT_TRUE(b.st.connesso);
    EXPECT_EQ(b.porta->numero, 3);
    EXPECT_EQ(figlio<QLabel>(f, "Lbl_info")->text(), "Scheda connessa su com3");
    EXPECT_EQ(scelto(f, "cboPort"), "Com3");
    EXPECT_EQ(b.archivio.leggi("Properties", "CommPort", ""), "3");
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(b.beep.suonati, 1);
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << "ports that fail to open are skipped silently";
    ASSERT_FALSE(b.didascalie.empty());
    EXPECT_EQ(b.didascalie.back(), b.st.testo_versione + " connesso su com3");
    EXPECT_EQ(figlio<QPushButton>(f, "Cmd_Auto")->text(), "Auto Set");
}

TEST(FrmSeriale, RicercaAutomaticaSenzaScheda) {
    BancoSeriale b(50);
    SchedaSerialeFinta scheda(*b.porta);
    scheda.muta = true;
    b.archivio.scrivi("Properties", "CommPort", "4");
    b.st.connesso = true;  // a board known before: the search forgets it
    frm_seriale& f = *b.c->finestra();
    f.show();
    f.Cmd_Auto_Click();
    EXPECT_FALSE(b.st.connesso);
    EXPECT_EQ(b.porta->numero, 10);
    EXPECT_EQ(figlio<QLabel>(f, "Lbl_info")->text(), "Scheda non trovata!");
    EXPECT_EQ(b.archivio.leggi("Properties", "CommPort", ""), "4");
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(b.beep.suonati, 0);
    EXPECT_EQ(scheda.ricevuti, QByteArray("$?").repeated(10));
}

TEST(FrmSeriale, RilevamentoAllAvvioConLaFinestraDisabilitata) {
    BancoSeriale b;
    SchedaSerialeFinta scheda(*b.porta);
    b.archivio.scrivi("Properties", "CommPort", "2");
    bool disabilitata = false, visibile = false;
    QString titolo;
    scheda.porta.risponditore = [&, r = scheda.porta.risponditore](const QByteArray& x) {
        frm_seriale& f = *b.c->finestra();
        disabilitata = !f.isEnabled();
        visibile = f.isVisible();
        titolo = f.windowTitle();
        r(x);
    };
    EXPECT_TRUE(b.c->rileva_all_avvio());
    EXPECT_TRUE(b.st.connesso);
    EXPECT_EQ(b.porta->numero, 2);
    EXPECT_TRUE(disabilitata);
    EXPECT_TRUE(visibile);
    EXPECT_EQ(titolo, "Testing...");
    EXPECT_TRUE(b.c->finestra()->isEnabled());
    EXPECT_FALSE(b.c->finestra()->isVisible());
}
