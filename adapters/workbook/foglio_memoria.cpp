#include "adapters/workbook/foglio_memoria.h"

#include "adapters/workbook/scrittura_xlsx.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {
bool dentro(int riga, int colonna) {
    return riga >= 1 && riga <= righe_massime_foglio && colonna >= 1 && colonna <= colonne_massime_foglio;
}
}  // namespace

namespace {
// One parser for both kinds of text: a reference read from a file is bytes, one
// given by the program is a QString.
template <class Testo>
bool riferimento(const Testo& testo, int* riga, int* colonna) {
    const auto n = static_cast<qsizetype>(testo.size());
    qsizetype i = 0;
    int64_t c = 0;
    while (i < n && i < 4) {
        auto u = static_cast<char32_t>(testo[i]);
        if (u >= U'a' && u <= U'z') u -= U'a' - U'A';
        if (u < U'A' || u > U'Z') break;
        c = c * 26 + (u - U'A' + 1);
        ++i;
    }
    if (i == 0 || i == n) return false;
    int64_t r = 0;
    for (qsizetype j = i; j < n; ++j) {
        const auto u = static_cast<char32_t>(testo[j]);
        if (u < U'0' || u > U'9' || r > righe_massime_foglio) return false;
        r = r * 10 + (u - U'0');
    }
    if (!dentro(static_cast<int>(std::min<int64_t>(r, INT32_MAX)), static_cast<int>(c))) return false;
    *riga = static_cast<int>(r);
    *colonna = static_cast<int>(c);
    return true;
}
}  // namespace

bool leggi_riferimento(QStringView testo, int* riga, int* colonna) {
    return riferimento(std::u16string_view(testo.utf16(), static_cast<size_t>(testo.size())), riga, colonna);
}

bool leggi_riferimento(std::string_view testo, int* riga, int* colonna) {
    // Bytes as unsigned: a byte of a multi-byte character is never a letter or a digit.
    return riferimento(std::basic_string_view<unsigned char>(reinterpret_cast<const unsigned char*>(testo.data()),
                                                             testo.size()),
                       riga, colonna);
}

CellaMemoria* FoglioMemoria::prepara(int riga, int colonna) {
    if (!dentro(riga, colonna)) return nullptr;
    const Chiave k = chiave(riga, colonna);
    if (celle_.empty() || chiavi_.back() < k) {
        chiavi_.push_back(k);
        return &celle_.emplace_back(k, CellaMemoria{}).second;
    }
    if (chiavi_.back() == k) return &celle_.back().second;  // the cell just written, formatted
    const auto i = std::lower_bound(chiavi_.begin(), chiavi_.end(), k) - chiavi_.begin();
    if (chiavi_[static_cast<size_t>(i)] != k) {
        chiavi_.insert(chiavi_.begin() + i, k);
        celle_.insert(celle_.begin() + i, {k, CellaMemoria{}});
    }
    return &celle_[static_cast<size_t>(i)].second;
}

void FoglioInLettura::aggiungi(FoglioMemoria::Chiave k, ValoreCella valore) {
    in_ordine_ = in_ordine_ && (f_.celle_.empty() || f_.celle_.back().first < k);
    f_.celle_.emplace_back(k, CellaMemoria{std::move(valore), {}, false});
}

FoglioMemoria FoglioInLettura::concludi() && {
    FoglioMemoria::Celle& c = f_.celle_;
    if (!in_ordine_) {
        // Keys with their place of arrival: equal keys stay in the order they came.
        std::vector<std::pair<FoglioMemoria::Chiave, size_t>> ordine(c.size());
        for (size_t i = 0; i < c.size(); ++i) ordine[i] = {c[i].first, i};
        std::sort(ordine.begin(), ordine.end());
        FoglioMemoria::Celle ordinate;
        ordinate.reserve(c.size());
        for (const auto& [k, i] : ordine) {
            if (!ordinate.empty() && ordinate.back().first == k) ordinate.back() = std::move(c[i]);
            else ordinate.push_back(std::move(c[i]));
        }
        c = std::move(ordinate);
    }
    f_.chiavi_.clear();
    f_.chiavi_.reserve(c.size());
    for (const auto& cella : c) f_.chiavi_.push_back(cella.first);
    return std::move(f_);
}

void FoglioMemoria::riserva(int64_t celle) {
    // Growing cell by cell would copy the cells again at every doubling and touch
    // twice the memory. A hint beyond a million cells is not taken on trust.
    if (celle <= 0 || celle > celle_massime_riserva) return;
    const auto n = celle_.size() + static_cast<size_t>(celle);
    celle_.reserve(n);
    chiavi_.reserve(n);
}

bool FoglioMemoria::scrivi(int riga, int colonna, const ValoreCella& valore) {
    CellaMemoria* c = prepara(riga, colonna);
    if (!c) return false;
    c->valore = valore;
    return true;
}

ValoreCella FoglioMemoria::leggi(int riga, int colonna) const {
    const CellaMemoria* c = cella(riga, colonna);
    return c ? c->valore : ValoreCella{};
}

bool FoglioMemoria::imposta_formato_numero(int riga, int colonna, const QString& formato) {
    CellaMemoria* c = prepara(riga, colonna);
    if (!c) return false;
    c->formato_numero = formato;
    return true;
}

bool FoglioMemoria::imposta_grassetto(const QString& intervallo) {
    const QStringList parti = intervallo.split(u':');
    if (parti.size() > 2) return false;
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!leggi_riferimento(parti.first(), &r1, &c1)) return false;
    if (!leggi_riferimento(parti.last(), &r2, &c2)) return false;
    if (r1 > r2) std::swap(r1, r2);
    if (c1 > c2) std::swap(c1, c2);
    if (int64_t(r2 - r1 + 1) * (c2 - c1 + 1) > celle_massime_grassetto) return false;
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) prepara(r, c)->grassetto = true;
    return true;
}

const CellaMemoria* FoglioMemoria::cella(int riga, int colonna) const {
    if (!dentro(riga, colonna)) return nullptr;
    const Chiave k = chiave(riga, colonna);
    const auto it = std::lower_bound(chiavi_.begin(), chiavi_.end(), k);
    return it == chiavi_.end() || *it != k ? nullptr : &celle_[static_cast<size_t>(it - chiavi_.begin())].second;
}

bool CartellaMemoria::salva_con_nome(const QString& percorso, QString* errore) {
    return scrivi_xlsx(foglio_, percorso, errore);
}
