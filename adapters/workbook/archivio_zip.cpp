// The zip format as the .xlsx package uses it: for each file a local header and
// its data, then the central directory and its end record (little-endian).
#include "adapters/workbook/archivio_zip.h"

#include <libdeflate.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr uint64_t massimo_32 = 0xFFFFFFFFu;
constexpr uint16_t versione = 20;  // 2.0: deflate, no 64-bit extensions
constexpr uint16_t deflate = 8, memorizzato = 0;
constexpr int livello = 1;  // the markup repeats enough to shrink four times even so

class Scrittura {
public:
    explicit Scrittura(char* p) : p_(p) {}
    Scrittura& u16(uint16_t v) {
        *p_++ = static_cast<char>(v & 0xFF);
        *p_++ = static_cast<char>(v >> 8);
        return *this;
    }
    Scrittura& u32(uint32_t v) { return u16(static_cast<uint16_t>(v & 0xFFFF)).u16(static_cast<uint16_t>(v >> 16)); }
    Scrittura& testo(std::string_view t) {
        std::memcpy(p_, t.data(), t.size());
        p_ += t.size();
        return *this;
    }

private:
    char* p_;
};

struct Registrata {
    std::string_view nome;
    uint16_t metodo;
    uint32_t crc, compressi, originali, posizione;
};

// What the local header and the directory entry of a file both hold, from its
// flags to the length of its extra field (none).
Scrittura& campi_comuni(Scrittura& s, const Registrata& r, uint16_t ora, uint16_t giorno) {
    return s.u16(0)
        .u16(r.metodo)
        .u16(ora)
        .u16(giorno)
        .u32(r.crc)
        .u32(r.compressi)
        .u32(r.originali)
        .u16(static_cast<uint16_t>(r.nome.size()))
        .u16(0);
}

// Date and time in the MS-DOS form the headers carry (two-second steps, from 1980).
std::pair<uint16_t, uint16_t> data_dos(const QDateTime& d) {
    const QDate g = d.date();
    const QTime t = d.time();
    if (!g.isValid() || g.year() < 1980 || g.year() > 2107) return {0, (1 << 5) | 1};  // 1980-01-01 00:00
    return {static_cast<uint16_t>((t.hour() << 11) | (t.minute() << 5) | (t.second() / 2)),
            static_cast<uint16_t>(((g.year() - 1980) << 9) | (g.month() << 5) | g.day())};
}

struct LiberaCompressore {
    void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

}  // namespace

std::optional<QByteArray> archivio_zip(const std::vector<VoceZip>& voci, const QDateTime& data, QString* errore) {
    std::unique_ptr<libdeflate_compressor, LiberaCompressore> compressore(libdeflate_alloc_compressor(livello));
    if (!compressore) {
        *errore = QStringLiteral("memoria insufficiente per comprimere");
        return std::nullopt;
    }
    const auto [ora, giorno] = data_dos(data);
    auto troppo_grande = [&] {
        *errore = QStringLiteral("cartella di lavoro troppo grande per un file .xlsx");
        return std::nullopt;
    };
    if (voci.size() > 0xFFFF) return troppo_grande();

    // Room for the worst case up front, so the data is compressed in place.
    uint64_t spazio = 22;
    for (const VoceZip& v : voci)
        spazio += 30 + 46 + 2 * v.nome.size() + libdeflate_deflate_compress_bound(compressore.get(), v.dati.size());
    QByteArray out;
    out.resize(static_cast<qsizetype>(spazio));
    uint64_t fine = 0;
    std::vector<Registrata> registrate;
    for (const VoceZip& v : voci) {
        if (v.dati.size() > massimo_32 || v.nome.size() > 0xFFFF || fine > massimo_32) return troppo_grande();
        Registrata r{v.nome, deflate,
                     static_cast<uint32_t>(libdeflate_crc32(0, v.dati.data(), v.dati.size())), 0,
                     static_cast<uint32_t>(v.dati.size()), static_cast<uint32_t>(fine)};
        char* dati = out.data() + fine + 30 + v.nome.size();
        size_t n = libdeflate_deflate_compress(compressore.get(), v.dati.data(), v.dati.size(), dati,
                                               out.size() - (dati - out.data()));
        if (n == 0 || n >= v.dati.size()) {  // not smaller: stored as it is
            r.metodo = memorizzato;
            n = v.dati.size();
            if (n) std::memcpy(dati, v.dati.data(), n);
        }
        r.compressi = static_cast<uint32_t>(n);
        campi_comuni(Scrittura(out.data() + fine).u32(0x04034b50).u16(versione), r, ora, giorno).testo(v.nome);
        fine += 30 + v.nome.size() + n;
        registrate.push_back(r);
    }
    const uint64_t inizio_indice = fine;
    for (const Registrata& r : registrate) {
        campi_comuni(Scrittura(out.data() + fine).u32(0x02014b50).u16(versione).u16(versione), r, ora, giorno)
            .u16(0)   // comment
            .u16(0)   // disk
            .u16(0)   // internal attributes
            .u32(0)   // external attributes
            .u32(r.posizione)
            .testo(r.nome);
        fine += 46 + r.nome.size();
    }
    if (fine > massimo_32) return troppo_grande();
    Scrittura(out.data() + fine)
        .u32(0x06054b50)
        .u16(0)
        .u16(0)
        .u16(static_cast<uint16_t>(registrate.size()))
        .u16(static_cast<uint16_t>(registrate.size()))
        .u32(static_cast<uint32_t>(fine - inizio_indice))
        .u32(static_cast<uint32_t>(inizio_indice))
        .u16(0);
    fine += 22;
    out.truncate(static_cast<qsizetype>(fine));
    return out;
}
