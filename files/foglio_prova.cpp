#include "files/foglio_prova.h"

#include "core/numeri.h"
#include "files/numero_esatto.h"

#include <array>
#include <cmath>
#include <optional>

namespace {

QString testo_cella(const ValoreCella& v) {
    if (const QString* s = std::get_if<QString>(&v)) return *s;
    if (const double* d = std::get_if<double>(&v)) return QString::number(*d, 'g', 15);
    if (const bool* b = std::get_if<bool>(&v)) return *b ? QStringLiteral("VERO") : QStringLiteral("FALSO");
    return {};
}

// Empty is 0; text counts when it is a whole number written with ".".
std::optional<double> numero_cella(const ValoreCella& v) {
    if (std::holds_alternative<std::monostate>(v)) return 0.0;
    // A legacy workbook can hold an infinity or a NaN: no jump of a test is either.
    if (const double* d = std::get_if<double>(&v)) return std::isfinite(*d) ? std::optional<double>(*d) : std::nullopt;
    if (const bool* b = std::get_if<bool>(&v)) return *b ? 1.0 : 0.0;
    return numero_esatto(std::get<QString>(v));
}

}  // namespace

bool scrivi_prova_foglio(FoglioLavoro& foglio, const Salti& salti, const QString& nome_utente,
                         const QString& macchina_utente, const QString& marca_temporale,
                         const Avanzamento& avanzamento, QString* errore) {
    auto n16 = numeri::converti_i16(salti.numero());
    if (!n16) {
        if (errore) *errore = errori_lettura::overflow;
        return false;
    }
    const int n = *n16;
    avanzamento.imposta_massimo(n);
    foglio.riserva(foglio_prova::colonna_n + 9LL * n);  // row 1, then nine cells a jump
    foglio.imposta_larghezza_colonne(foglio_prova::larghezza_colonne);
    for (int c = 0; c < foglio_prova::titoli.size(); ++c) foglio.scrivi(1, c + 1, foglio_prova::titoli[c]);
    foglio.scrivi(1, foglio_prova::colonna_n, static_cast<double>(n));
    foglio.imposta_formato_numero(1, foglio_prova::colonna_n, QStringLiteral("0"));
    foglio.imposta_grassetto(QStringLiteral("A1:I1"));
    const QString decimi = QStringLiteral("#.0");
    for (int k = 1; k <= n; ++k) {
        avanzamento.imposta_valore(k);
        const Salto& s = salti[k];
        const int r = k + 1;
        foglio.scrivi(r, 1, marca_temporale);
        foglio.scrivi(r, 2, nome_utente);
        foglio.scrivi(r, 3, macchina_utente);
        foglio.scrivi(r, 4, s.n_rip);
        foglio.scrivi(r, 5, s.t_volo);
        foglio.scrivi(r, 6, s.t_contatto);
        foglio.scrivi(r, 7, s.altezza);
        foglio.imposta_formato_numero(r, 7, decimi);
        foglio.scrivi(r, 8, s.s_acc);
        foglio.imposta_formato_numero(r, 8, decimi);
        foglio.scrivi(r, 9, s.potenza);
        foglio.imposta_formato_numero(r, 9, decimi);
    }
    return true;
}

EsitoLettura leggi_prova_foglio(const FoglioLavoro& foglio, const Avanzamento& avanzamento) {
    if (testo_cella(foglio.leggi(1, 3)) != foglio_prova::titolo_controllo)
        return {EsitoLettura::Tipo::FormatoErrato, {}, {}};
    ProvaLetta p;
    p.nome_utente = testo_cella(foglio.leggi(2, 2));
    p.macchina_utente = testo_cella(foglio.leggi(2, 3));
    // Column A holds the time stamp of the save, the same on every row.
    p.quando = numeri::leggi_marca_temporale(testo_cella(foglio.leggi(2, 1)));
    auto j1 = numero_cella(foglio.leggi(1, foglio_prova::colonna_n));
    if (!j1) return EsitoLettura::con_errore(errori_lettura::tipo);
    auto n16 = numeri::converti_i16(*j1);
    if (!n16) return EsitoLettura::con_errore(errori_lettura::overflow);
    const int n = *n16;
    if (n < 0) return EsitoLettura::con_errore(errori_lettura::indice);
    avanzamento.imposta_massimo(n);
    p.salti.reserve(static_cast<size_t>(n));
    for (int k = 1; k <= n; ++k) {
        avanzamento.imposta_valore(k);
        std::array<double, 6> v{};
        for (int c = 0; c < 6; ++c) {
            auto x = numero_cella(foglio.leggi(k + 1, 4 + c));
            if (!x) return EsitoLettura::con_errore(errori_lettura::tipo);
            v[static_cast<size_t>(c)] = *x;
        }
        Salto s;
        s.n_rip = v[0];
        s.t_volo = v[1];
        s.t_contatto = v[2];
        s.altezza = v[3];
        s.s_acc = v[4];
        s.potenza = v[5];
        p.salti.push_back(s);
    }
    return EsitoLettura::letta(std::move(p));
}

EsitoLettura leggi_file_foglio(const QString& percorso, FogliDiCalcolo& fogli, const Avanzamento& avanzamento) {
    QString motivo;
    auto cartella = fogli.apri(percorso, &motivo);
    if (!cartella) return EsitoLettura::con_errore(motivo);
    EsitoLettura esito = leggi_prova_foglio(cartella->foglio_attivo(), avanzamento);
    cartella->chiudi();
    return esito;
}
