#include "history/serie_storico.h"

#include "history/colonne_storico.h"

#include <algorithm>
#include <array>

namespace serie_storico {

namespace {
bool da_disegnare(const ProvaStorico& p) { return p.letta() && p.figure.n_salti > 0; }

bool prima(const ProvaStorico* a, const ProvaStorico* b) {
    if (a->quando != b->quando) return a->quando < b->quando;
    return a->file.nome < b->file.nome;
}
}  // namespace

QColor colore(int i) {
    static const std::array<QColor, 10> tavolozza = {
        QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44),  QColor(214, 39, 40),
        QColor(148, 103, 189), QColor(140, 86, 75), QColor(227, 119, 194), QColor(127, 127, 127),
        QColor(188, 189, 34),  QColor(23, 190, 207)};
    if (i >= 0 && i < static_cast<int>(tavolozza.size())) return tavolozza[static_cast<size_t>(i)];
    // Past the palette: hues a golden angle apart.
    return QColor::fromHsv((i * 137) % 360, 200, 200);
}

Confronto confronto(const std::vector<const ProvaStorico*>& scelte) {
    std::vector<const ProvaStorico*> prove;
    for (const ProvaStorico* p : scelte)
        if (p && da_disegnare(*p)) prove.push_back(p);
    std::sort(prove.begin(), prove.end(), prima);
    Confronto c;
    c.lette = static_cast<int>(prove.size());
    if (prove.size() > static_cast<size_t>(prove_massime_confronto))
        prove.erase(prove.begin(), prove.end() - prove_massime_confronto);
    const bool piu_esercizi = std::any_of(prove.begin(), prove.end(),
                                          [&](const ProvaStorico* p) { return p->esercizio != prove.front()->esercizio; });
    for (const ProvaStorico* p : prove) {
        SerieGrafico s;
        s.nome = colonne_storico::data_ora(p->quando);
        if (piu_esercizi) s.nome += QStringLiteral(" (") + p->esercizio + QLatin1Char(')');
        s.colore = colore(static_cast<int>(c.serie.size()));
        for (size_t k = 0; k < p->salti.size(); ++k) s.punti.append(QPointF(static_cast<double>(k + 1), p->salti[k].altezza));
        c.serie.push_back(std::move(s));
    }
    return c;
}

std::vector<SerieGrafico> andamento(const std::vector<ProvaStorico>& prove, const QString& esercizio) {
    std::vector<const ProvaStorico*> scelte;
    for (const ProvaStorico& p : prove)
        if (da_disegnare(p) && p.esercizio == esercizio) scelte.push_back(&p);
    if (scelte.empty()) return {};
    std::sort(scelte.begin(), scelte.end(), prima);
    SerieGrafico media{nome_media, colore(0), {}};
    SerieGrafico migliore{nome_migliore, colore(1), {}};
    for (const ProvaStorico* p : scelte) {
        const double x = static_cast<double>(p->quando.toMSecsSinceEpoch());
        media.punti.append(QPointF(x, p->figure.medie[2]));
        migliore.punti.append(QPointF(x, p->figure.altezza_migliore));
    }
    return {media, migliore};
}

}  // namespace serie_storico
