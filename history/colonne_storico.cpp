#include "history/colonne_storico.h"

#include "core/numeri.h"

#include <algorithm>

namespace colonne_storico {

const std::array<Descrizione, Numero>& colonne() {
    static const std::array<Descrizione, Numero> c = {{
        {QStringLiteral("Data e ora"), -1},
        {QStringLiteral("Esercizio"), -1},
        {QStringLiteral("Salti"), 0},
        {QStringLiteral("H media\n(cm)"), 1},
        {QStringLiteral("H migliore\n(cm)"), 1},
        {QStringLiteral("T contatto\nmedio (ms)"), 0},
        {QStringLiteral("Potenza\nmedia (W)"), 1},
        {QStringLiteral("Indice reattivo\nmedio (m/s)"), 2},
        {QStringLiteral("Decremento\nH (cm)"), 1},
        {QStringLiteral("Note"), -1},
        {QStringLiteral("File"), -1},
    }};
    return c;
}

QString titolo_in_riga(int colonna) {
    QString t = colonne()[static_cast<size_t>(colonna)].titolo;
    return t.replace(u'\n', u' ');
}

QString data_ora(const QDateTime& quando) { return quando.toString(QStringLiteral("dd/MM/yyyy HH:mm")); }

ValoreCella valore(const ProvaStorico& p, int colonna) {
    const figure_prova::Figure& f = p.figure;
    const int32_t n = p.letta() ? f.n_salti : 0;
    const auto se = [](bool c, double v) -> ValoreCella { return c ? ValoreCella(v) : ValoreCella(); };
    switch (colonna) {
        case Data: return data_ora(p.quando);
        case Esercizio: return p.esercizio;
        case Salti: return se(p.letta(), n);
        case AltezzaMedia: return se(n > 0, f.medie[2]);
        case AltezzaMigliore: return se(n > 0, f.altezza_migliore);
        case ContattoMedio: return se(n > 0, f.media_t_contatto);
        // The first jump's power is left out: one jump gives none.
        case PotenzaMedia: return se(n > 1, f.medie[5]);
        case IndiceReattivo: return se(n > 0 && f.indice_reattivo_medio.has_value(), f.indice_reattivo_medio.value_or(0));
        case DecrementoAltezza: return se(n > 0, f.decrementi[2]);
        case File: return p.file.nome;
        case Note:
            switch (p.stato) {
                case ProvaStorico::Stato::DaLeggere: return QStringLiteral("lettura in corso...");
                case ProvaStorico::Stato::Danneggiata: return p.motivo;
                case ProvaStorico::Stato::Letta: return n == 0 ? QStringLiteral("nessun salto") : QString();
            }
    }
    return {};
}

QString testo(const ProvaStorico& p, int colonna, const QLocale& locale) {
    const ValoreCella v = valore(p, colonna);
    if (const double* x = std::get_if<double>(&v))
        return numeri::formato_fisso(*x, colonne()[static_cast<size_t>(colonna)].decimali, 1, locale);
    if (const QString* s = std::get_if<QString>(&v)) return *s;
    return {};
}

namespace {

// -1, 0 or 1; an empty value is never compared here.
int confronta(const ProvaStorico& a, const ProvaStorico& b, int colonna, const ValoreCella& va, const ValoreCella& vb) {
    if (colonna == Data) {
        const qint64 x = a.quando.toMSecsSinceEpoch(), y = b.quando.toMSecsSinceEpoch();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (const double* x = std::get_if<double>(&va)) {
        const double y = std::get<double>(vb);
        return *x < y ? -1 : (*x > y ? 1 : 0);
    }
    const int r = QString::compare(std::get<QString>(va), std::get<QString>(vb), Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool vuoto(const ValoreCella& v) {
    if (const QString* s = std::get_if<QString>(&v)) return s->isEmpty();
    return std::holds_alternative<std::monostate>(v);
}

}  // namespace

std::vector<int> righe(const std::vector<ProvaStorico>& prove, const QString& esercizio, int colonna,
                       Qt::SortOrder ordine) {
    std::vector<int> r;
    std::vector<ValoreCella> valori(prove.size());
    for (int i = 0; i < static_cast<int>(prove.size()); ++i) {
        const ProvaStorico& p = prove[static_cast<size_t>(i)];
        if (!esercizio.isEmpty() && p.esercizio != esercizio) continue;
        r.push_back(i);
        if (colonna != Data) valori[static_cast<size_t>(i)] = valore(p, colonna);
    }
    std::stable_sort(r.begin(), r.end(), [&](int i, int j) {
        const ProvaStorico& a = prove[static_cast<size_t>(i)];
        const ProvaStorico& b = prove[static_cast<size_t>(j)];
        const ValoreCella& va = valori[static_cast<size_t>(i)];
        const ValoreCella& vb = valori[static_cast<size_t>(j)];
        const bool ea = colonna != Data && vuoto(va), eb = colonna != Data && vuoto(vb);
        if (ea != eb) return eb;
        if (!ea) {
            const int c = confronta(a, b, colonna, va, vb);
            if (c != 0) return ordine == Qt::AscendingOrder ? c < 0 : c > 0;
        }
        if (a.quando != b.quando) return a.quando > b.quando;
        return a.file.nome < b.file.nome;
    });
    return r;
}

QStringList esercizi(const std::vector<ProvaStorico>& prove) {
    QStringList l;
    for (const ProvaStorico& p : prove)
        if (!p.esercizio.isEmpty() && !l.contains(p.esercizio)) l << p.esercizio;
    std::sort(l.begin(), l.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return l;
}

}  // namespace colonne_storico
