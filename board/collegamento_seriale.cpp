#include "board/collegamento_seriale.h"

#include "board/apertura_porta.h"
#include "board/frm_seriale.h"
#include "core/impostazioni.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "platform/dialoghi.h"
#include "platform/orologio.h"

#include <QApplication>

CollegamentoSeriale::CollegamentoSeriale(StatoCollegamento& stato, ArchivioImpostazioni& archivio, Messaggi& messaggi,
                                         Beep& beep, const SessioneAtleta& sessione, ModelloProva& prova,
                                         InvioHid* hid, const ContatoreTick& contatore,
                                         std::unique_ptr<PortaSeriale> porta, std::unique_ptr<Temporizzatore> timer)
    : stato_(stato), archivio_(archivio), messaggi_(messaggi), beep_(beep),
      porta_(std::move(porta)),
      timer_(timer ? std::move(timer) : nuovo_temporizzatore(nullptr, QStringLiteral("Timer_Seriale"), true)),
      protocollo_(stato, *porta_, archivio, messaggi, contatore, *timer_, hid),
      ricezione_(stato, sessione, prova, *porta_, protocollo_, beep) {
    porta_->al_evento = [this](EventoPorta e) {
        if (e == EventoPorta::PortaPersa) porta_persa();
        else ricezione_.evento(e);
    };
    ricezione_.mostra_finestra = [this] { mostra_finestra(); };
    ricezione_.nascondi_finestra = [this] { nascondi_finestra(); };
    ::Leggi_impostazioni(*porta_, archivio_);
}

CollegamentoSeriale::~CollegamentoSeriale() {
    porta_->al_evento = nullptr;
    delete finestra_.data();
    porta_->chiudi();
}

frm_seriale* CollegamentoSeriale::finestra() {
    if (!finestra_ && fabbrica_) {
        finestra_ = fabbrica_(
            {stato_, *porta_, protocollo_, archivio_, messaggi_, beep_, [this](int n) { return dispositivo(n); }});
        if (finestra_) {
            finestra_->alla_chiusura = [f = finestra_] {
                if (f) f->deleteLater();
            };
        }
    }
    return finestra_;
}

void CollegamentoSeriale::mostra_verifica() {
    frm_seriale* f = finestra();
    if (!f) return;
    f->setWindowTitle(QStringLiteral("Testing..."));
    f->setEnabled(false);
    f->show();
}

void CollegamentoSeriale::Leggi_impostazioni() { ::Leggi_impostazioni(*porta_, archivio_); }

void CollegamentoSeriale::abilita_finestra() {
    if (finestra_) finestra_->setEnabled(true);
}

void CollegamentoSeriale::nascondi_finestra() {
    if (finestra_) finestra_->hide();
}

bool CollegamentoSeriale::rileva_all_avvio() {
    mostra_verifica();
    Leggi_impostazioni();
    stato_.connesso = trova_scheda();
    abilita_finestra();
    nascondi_finestra();
    QApplication::processEvents();
    return stato_.connesso;
}

void CollegamentoSeriale::mostra_finestra() {
    frm_seriale* f = finestra();
    if (!f) return;
    f->show();
    f->raise();
    f->activateWindow();
}

void CollegamentoSeriale::chiudi() {
    if (finestra_ && finestra_->ricerca_in_corso()) {
        // The search runs inside the window: it goes once the search has unwound.
        finestra_->hide();
        finestra_->deleteLater();
    } else {
        delete finestra_.data();
    }
    chiudi_porta(*porta_, stato_);
}

bool CollegamentoSeriale::avvio_con_risposta() const { return stato_.invio_seriale; }

void CollegamentoSeriale::porta_persa() {
    // A detection that loses its port fails by itself: nothing to tell.
    const bool scheda_nota = stato_.connesso && !protocollo_.rilevamento_in_corso();
    // Nothing more goes to the dead line, so no command waits on it.
    chiudi_porta(*porta_, stato_);
    if (!scheda_nota) return;
    stato_.connesso = false;
    stato_.acquisizione = false;
    stato_.scarta_primo = false;
    stato_.imposta_testo_connessione(QStringLiteral(" Disconnesso"));
    if (alla_perdita) alla_perdita();
    messaggi_.mostra(QStringLiteral("Scheda scollegata: la porta com%1 non risponde più.\n"
                                    "L'acquisizione è ferma; i salti registrati sono conservati.\n"
                                    "Ricollegare la scheda, poi cercarla da Impostazioni > "
                                    "\"Parametri Porta....\" con \"Auto Set\".")
                         .arg(porta_->numero_porta()),
                     titolo_applicazione, Icona::Esclamazione);
}
