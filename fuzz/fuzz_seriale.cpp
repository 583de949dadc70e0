// Any bytes from the serial port, in any split into data events, with any state
// of the link: the receive path never records more jumps than whole frames were
// fed, none while acquisition is off, and each one it records is a real flight
// (longer than the minimum) with finite figures.
#include "board/collegamento_seriale.h"
#include "board/invio_hid.h"
#include "board/ricezione_seriale.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "platform/archivio_impostazioni.h"
#include "tests/support/finti.h"
#include "tests/support/porta_finta.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
class HidMuto : public InvioHid {
public:
    void HID_invia_stringa(const QByteArray&) override {}
};
}  // namespace

// No application object: the link runs without windows (none is handed in), and
// the waits of a detection return at once, the fake clock deciding when they end.
// Byte 0: flags (connected, acquiring, first frame to discard, receive threshold,
// read length); byte 1: minimum flight in ms. Then chunks: a header byte (low four
// bits the length, bit 4 an event of another kind, bit 5 bytes queued without an
// event) followed by its bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    if (n < 2) return 0;
    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    ArchivioMemoria archivio;
    MessaggiFinti messaggi;
    BeepFinto beep;
    HidMuto hid;
    OrologioFinto orologio;
    orologio.passo = 250;  // few steps in each wait of a detection
    auto p = std::make_unique<PortaFinta>();
    PortaFinta& porta = *p;
    porta.orologio = &orologio;
    auto t = std::make_unique<OrologioFinto::Timer>(orologio);
    CollegamentoSeriale c(st, archivio, messaggi, beep, sessione, prova, &hid, orologio, std::move(p), std::move(t));

    const uint8_t flag = dati[0];
    st.connesso = flag & 1;
    if (st.connesso) (void)porta.apri();
    st.acquisizione = flag & 2;
    st.scarta_primo = flag & 4;
    static constexpr int soglie[] = {1, 4, 8, 9};
    porta.soglia = soglie[(flag >> 3) & 3];
    if (flag & 0x20) porta.lunghezza = 4;
    sessione.t_volo_min = dati[1];
    const bool acquisiva = st.acquisizione;

    qsizetype forniti = 0;
    for (size_t i = 2; i < n;) {
        const uint8_t testa = dati[i++];
        const size_t l = std::min<size_t>(testa & 0x0f, n - i);
        const QByteArray pezzo(reinterpret_cast<const char*>(dati + i), static_cast<qsizetype>(l));
        i += l;
        forniti += pezzo.size();
        if (testa & 0x20) porta.ingresso += pezzo;
        else porta.ricevi(pezzo);
        if (testa & 0x10) c.ricezione().evento(EventoPorta::Altro);
        else if (testa & 0x40) c.ricezione().evento(EventoPorta::DatiRicevuti);
    }

    const int32_t salti = prova.numero();
    if (!acquisiva && salti != 0) std::abort();
    if (salti > forniti / 8) std::abort();
    for (int32_t k = 1; k <= salti; ++k) {
        const Salto& s = prova.salti()[k];
        if (s.t_volo <= sessione.t_volo_min) std::abort();
        for (double v : {s.t_volo, s.altezza, s.t_contatto, s.s_acc, s.potenza, s.n_rip})
            if (!std::isfinite(v)) std::abort();
    }
    return 0;
}
