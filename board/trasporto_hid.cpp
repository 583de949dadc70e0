#include "board/trasporto_hid.h"

#include "board/decodifica.h"
#include "board/frm_hid.h"
#include "core/stato_collegamento.h"

#include <QPushButton>

#include <algorithm>

TrasportoHid::TrasportoHid(StatoCollegamento& stato, const SessioneAtleta& sessione, ModelloProva& prova,
                           LibreriaHid& libreria, Frm_hid* finestra)
    : stato_(stato), libreria_(libreria), assemblatore_(sessione, prova), finestra_(finestra) {
    if (!finestra_) return;
    QObject::connect(finestra_->Command1, &QPushButton::clicked, this, [this] { invia_test('F'); });
    QObject::connect(finestra_->Command2, &QPushButton::clicked, this, [this] { invia_test('T'); });
}

TrasportoHid::~TrasportoHid() { scarica(); }

void TrasportoHid::mostra() {
    if (!finestra_) return;
    if (!caricata_) {  // the window's load
        caricata_ = true;
        ConnectToHID(finestra_);
    }
    finestra_->show();
}

void TrasportoHid::nascondi() {
    if (finestra_) finestra_->hide();
}

void TrasportoHid::scarica() {
    if (!caricata_) return;
    DisconnectFromHID();  // the window's unload
    caricata_ = false;
    finestra_->chiudi_davvero();
}

bool TrasportoHid::ConnectToHID(QWidget* finestra) {
    agganciata_ = finestra;
    const bool ok = libreria_.Connect(finestra);
    finestra->installEventFilter(this);
    return ok;
}

bool TrasportoHid::DisconnectFromHID() {
    const bool ok = libreria_.Disconnect();
    if (agganciata_) agganciata_->removeEventFilter(this);
    agganciata_ = nullptr;
    return ok;
}

bool TrasportoHid::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == agganciata_ && evento->type() == EventoNotificaHid::tipo) {
        const auto* n = static_cast<const EventoNotificaHid*>(evento);
        switch (n->wParam) {
        case NOTIFICA_HID_INSERITO: OnPlugged(n->lParam); break;
        case NOTIFICA_HID_RIMOSSO: OnUnplugged(n->lParam); break;
        case NOTIFICA_HID_CAMBIATO: OnChanged(); break;
        case NOTIFICA_HID_LETTO: OnRead(n->lParam); break;
        default: break;
        }
    }
    return QObject::eventFilter(oggetto, evento);
}

void TrasportoHid::OnPlugged(ManigliaHid maniglia) {
    if (libreria_.GetVendorID(maniglia) != vendor_scheda || libreria_.GetProductID(maniglia) != product_scheda)
        return;
    stato_.hid_connesso = true;
    stato_.invio_seriale = false;
    stato_.imposta_testo_connessione(QStringLiteral(" Connesso via HID"));
}

void TrasportoHid::OnUnplugged(ManigliaHid maniglia) {
    if (libreria_.GetVendorID(maniglia) != vendor_scheda || libreria_.GetProductID(maniglia) != product_scheda)
        return;
    stato_.hid_connesso = false;
    stato_.imposta_testo_connessione(QStringLiteral(" Disconnesso"));
}

void TrasportoHid::OnChanged() {
    const ManigliaHid h = libreria_.GetHandle(vendor_scheda, product_scheda);
    if (h) libreria_.SetReadNotify(h, true);
}

void TrasportoHid::OnRead(ManigliaHid maniglia) {
    if (!libreria_.Read(maniglia, buffer_in_) || !stato_.avvio_hid) return;
    // A report too short to hold both times is no timing report.
    const std::optional<TempiScheda> tempi = decodifica_report_hid(buffer_in_);
    if (!tempi) return;
    if (stato_.scarta_primo) {
        stato_.scarta_primo = false;
        return;
    }
    assemblatore_.nuovi_tempi_us(tempi->contatto_us, tempi->volo_us);
}

void TrasportoHid::HID_invia_stringa(const QByteArray& stringa) {
    buffer_out_[0] = 0;
    const qsizetype n = std::min<qsizetype>(stringa.size(), 8);
    for (qsizetype i = 0; i < n; ++i) buffer_out_[i + 1] = static_cast<uint8_t>(stringa[i]);
    WriteSomeData();
}

void TrasportoHid::WriteSomeData() { libreria_.WriteEx(vendor_scheda, product_scheda, buffer_out_); }

void TrasportoHid::invia_test(char lettera) {
    buffer_out_[0] = 0;
    buffer_out_[1] = '$';
    buffer_out_[2] = static_cast<uint8_t>(lettera);
    WriteSomeData();
}
