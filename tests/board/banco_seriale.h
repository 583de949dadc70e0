#pragma once

// The serial link on a fake port, a fake clock and fake dialogs.

#include "board/collegamento_seriale.h"
#include "board/invio_hid.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "support/finti.h"
#include "support/porta_finta.h"
#include "support/prova_osservata.h"

#include <memory>
#include <vector>

class HidFinto : public InvioHid {
public:
    void HID_invia_stringa(const QByteArray& s) override { inviati.push_back(s); }
    std::vector<QByteArray> inviati;
};

struct BancoSeriale {
    explicit BancoSeriale(int passo_ms = 25) {
        orologio.passo = passo_ms;
        auto p = std::make_unique<PortaFinta>();
        porta = p.get();
        porta->orologio = &orologio;
        auto t = std::make_unique<OrologioFinto::Timer>(orologio);
        timer = t.get();
        QObject::connect(&st, &StatoCollegamento::didascalia_cambiata,
                         [this](const QString& d) { didascalie.push_back(d); });
        c = std::make_unique<CollegamentoSeriale>(st, archivio, messaggi, beep, sessione, prova, &hid, orologio,
                                                  std::move(p), std::move(t));
        c->imposta_fabbrica_finestra([](const frm_seriale::Servizi& s) { return new frm_seriale(s); });
    }
    QByteArray frame(int32_t contatto_us, int32_t volo_us) {
        QByteArray b;
        for (int32_t v : {contatto_us, volo_us})
            for (int s = 24; s >= 0; s -= 8) b.append(char((static_cast<uint32_t>(v) >> s) & 0xff));
        return b;
    }

    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    ProvaOsservata osservata{prova};
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    BeepFinto beep;
    HidFinto hid;
    OrologioFinto orologio;
    std::vector<QString> didascalie;
    PortaFinta* porta = nullptr;
    OrologioFinto::Timer* timer = nullptr;
    std::unique_ptr<CollegamentoSeriale> c;
};
