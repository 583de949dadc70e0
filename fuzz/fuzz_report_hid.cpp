// Any input reports, of any length, from the HID library into OnRead: no more
// jumps than reports long enough to hold both times, none before the start, each
// one a real flight with finite figures, and the report kept whole in BufferIn.
#include "board/trasporto_hid.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
#include "platform/libreria_hid.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <optional>

namespace {
// The library as OnRead sees it: each Read hands over the next report, or fails.
class LibreriaLetture : public LibreriaHid {
public:
    bool Connect(QObject*) override { return true; }
    bool Disconnect() override { return true; }
    int GetVendorID(ManigliaHid) override { return TrasportoHid::vendor_scheda; }
    int GetProductID(ManigliaHid) override { return TrasportoHid::product_scheda; }
    ManigliaHid GetHandle(int, int) override { return 1; }
    void SetReadNotify(ManigliaHid, bool) override {}
    bool Read(ManigliaHid, QByteArray& BufferIn) override {
        if (letture.empty()) return false;
        auto r = std::move(letture.front());
        letture.pop_front();
        if (!r) return false;
        BufferIn = *r;
        return true;
    }
    void WriteEx(int, int, const BufferUscitaHid&) override {}
    std::deque<std::optional<QByteArray>> letture;
};
}  // namespace

// Byte 0: flags (started, first report to discard); byte 1: minimum flight in ms.
// Then reports: a length byte (255: a failed read) followed by that many bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    if (n < 2) return 0;
    StatoCollegamento st;
    SessioneAtleta sessione;
    ModelloProva prova;
    LibreriaLetture libreria;
    TrasportoHid hid(st, sessione, prova, libreria);  // the logic alone: no window, no application object
    st.avvio_hid = dati[0] & 1;
    st.acquisizione = st.avvio_hid;
    st.scarta_primo = dati[0] & 2;
    sessione.t_volo_min = dati[1];

    int utili = 0;
    for (size_t i = 2; i < n;) {
        const uint8_t l = dati[i++];
        if (l == 255) {
            libreria.letture.push_back(std::nullopt);
        } else {
            const size_t m = std::min<size_t>(l, n - i);
            libreria.letture.emplace_back(QByteArray(reinterpret_cast<const char*>(dati + i), static_cast<qsizetype>(m)));
            if (m >= 10) ++utili;
            i += m;
        }
        const std::optional<QByteArray> atteso = libreria.letture.back();
        hid.OnRead(1);
        if (atteso && hid.BufferIn() != *atteso) std::abort();
    }

    const int32_t salti = prova.numero();
    if (!st.avvio_hid && salti != 0) std::abort();
    if (salti > utili) std::abort();
    for (int32_t k = 1; k <= salti; ++k) {
        const Salto& s = prova.salti()[k];
        if (s.t_volo <= sessione.t_volo_min) std::abort();
        for (double v : {s.t_volo, s.altezza, s.t_contatto, s.s_acc, s.potenza, s.n_rip})
            if (!std::isfinite(v)) std::abort();
    }
    return 0;
}
