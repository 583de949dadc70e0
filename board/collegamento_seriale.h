#pragma once

#include "board/protocollo_scheda.h"
#include "board/ricezione_seriale.h"
#include "board/frm_seriale.h"
#include "core/sequenze_scheda.h"

#include <QPointer>

#include <functional>
#include <memory>

class ArchivioImpostazioni;
class Beep;
class ContatoreTick;
class InvioHid;
class Messaggi;
class PortaSeriale;
class Temporizzatore;
class ModelloProva;
class StatoCollegamento;
struct SessioneAtleta;

// The board link over the serial port: the port, the reply timer, the protocol,
// the receive event and the serial window. The port and the protocol live as
// long as this object; the window is made on first use, and again after it was
// closed, by the factory the application hands in (with none, nothing is shown:
// detections and sequences run all the same).
class CollegamentoSeriale : public SequenzeScheda {
public:
    // With no timer given, Timer_Seriale is a QTimer.
    CollegamentoSeriale(StatoCollegamento& stato, ArchivioImpostazioni& archivio, Messaggi& messaggi, Beep& beep,
                        const SessioneAtleta& sessione, ModelloProva& prova, InvioHid* hid,
                        const ContatoreTick& contatore, std::unique_ptr<PortaSeriale> porta,
                        std::unique_ptr<Temporizzatore> timer = nullptr);
    ~CollegamentoSeriale() override;
    CollegamentoSeriale(const CollegamentoSeriale&) = delete;
    CollegamentoSeriale& operator=(const CollegamentoSeriale&) = delete;

    void imposta_hid(InvioHid* hid) { protocollo_.imposta_hid(hid); }

    // Start-up, one step each.
    void mostra_verifica();  // window shown with the caption "Testing..." and disabled
    void Leggi_impostazioni();
    bool trova_scheda() { return protocollo_.trova_scheda(); }  // the caller stores it in connesso
    void abilita_finestra();
    void nascondi_finestra();
    // The four steps above and the hide, in order; stores the result in connesso.
    bool rileva_all_avvio();

    // The menu: the window shown modeless (created again if it was closed).
    void mostra_finestra();
    // The main window closes: the window goes, the port is closed.
    void chiudi();

    // The command panel's sequences (see ProtocolloScheda).
    bool avvia_acquisizione() override { return protocollo_.avvia_acquisizione(); }
    bool avvio_con_risposta() const override;
    void arresta_acquisizione() override { protocollo_.arresta_acquisizione(); }
    void reset_linee() override { protocollo_.reset_linee(); }

    using FabbricaFinestra = std::function<frm_seriale*(const frm_seriale::Servizi&)>;
    void imposta_fabbrica_finestra(FabbricaFinestra fabbrica) { fabbrica_ = std::move(fabbrica); }
    // The window, made on first use; null when no factory was handed in.
    frm_seriale* finestra();
    bool finestra_esiste() const { return !finestra_.isNull(); }
    PortaSeriale& porta() { return *porta_; }
    ProtocolloScheda& protocollo() { return protocollo_; }
    RicezioneSeriale& ricezione() { return ricezione_; }
    // The device port number n stands for now ("" when none), as the port layer tells.
    QString dispositivo(int n) const { return descrivi_porta ? descrivi_porta(n) : QString(); }
    std::function<QString(int)> descrivi_porta;

    // The port vanished under a known board: the port is closed, the board no
    // longer connected, acquisition off, the caption " Disconnesso"; then
    // `alla_perdita` (the program switches Button_On off) and one message. The
    // test is not touched. Under no known board the port is only closed.
    void porta_persa();
    std::function<void()> alla_perdita;

private:
    StatoCollegamento& stato_;
    ArchivioImpostazioni& archivio_;
    Messaggi& messaggi_;
    Beep& beep_;
    std::unique_ptr<PortaSeriale> porta_;
    std::unique_ptr<Temporizzatore> timer_;
    ProtocolloScheda protocollo_;
    RicezioneSeriale ricezione_;
    FabbricaFinestra fabbrica_;
    QPointer<frm_seriale> finestra_;
};
