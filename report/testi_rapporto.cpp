#include "report/testi_rapporto.h"

#include "core/numeri.h"
#include "tools/testi_medie.h"

namespace testi_rapporto {
namespace {

const QString trattino = QStringLiteral("—");

QString o_trattino(const QString& s) { return s.trimmed().isEmpty() ? trattino : s; }

QString con_unita(const std::optional<double>& v, int decimali, const QString& unita) {
    if (!v) return non_disponibile;
    return numeri::formato_fisso(*v, decimali, 1) + QLatin1Char(' ') + unita;
}

}  // namespace

testi_salto::Riga riga(const Salto& s) { return testi_salto::riga(s, s.n_rip); }

QString data_ora(const QDateTime& quando) {
    return quando.isValid() ? quando.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QStringLiteral("non disponibile");
}

std::vector<Voce> intestazione(const DatiRapporto& dati) {
    return {{QStringLiteral("Squadra"), o_trattino(dati.squadra)},
            {QStringLiteral("Atleta"), o_trattino(dati.atleta)},
            {QStringLiteral("Esercizio"), o_trattino(dati.esercizio)},
            {QStringLiteral("Data prova"), data_ora(dati.data_prova)},
            {QStringLiteral("T volo min"), QString::number(dati.t_volo_min) + QStringLiteral(" ms")},
            {QStringLiteral("Numero salti"), QString::number(dati.salti.numero())}};
}

std::vector<Voce> figure(const figure_prova::Figure& f) {
    const QString cm = QStringLiteral(" cm");
    return {
        {QStringLiteral("Salto migliore"),
         numeri::formato_0_0(f.altezza_migliore) + cm + QStringLiteral(" (N° ") + numeri::formato_0(f.n_rip_migliore) +
             QLatin1Char(')')},
        {f.n_salti >= 3 ? QStringLiteral("Media dei 3 salti migliori") : QStringLiteral("Media dei salti (meno di 3)"),
         numeri::formato_0_0(f.media_tre_migliori) + cm},
        {QStringLiteral("Tempo di contatto medio"), numeri::formato_0(f.media_t_contatto) + QStringLiteral(" ms")},
        {QStringLiteral("Indice di forza reattiva medio"), con_unita(f.indice_reattivo_medio, 2, QStringLiteral("m/s"))},
        {QStringLiteral("Indice di forza reattiva migliore"),
         con_unita(f.indice_reattivo_migliore, 2, QStringLiteral("m/s"))},
        {QStringLiteral("Indice di fatica"), con_unita(f.indice_fatica, 1, QStringLiteral("%"))},
    };
}

QString nota_figure(const figure_prova::Figure& f) {
    QString nota = QStringLiteral("Indice di forza reattiva: altezza (m) / tempo di contatto (s)");
    if (f.n_indici_reattivi < f.n_salti)
        nota += QStringLiteral(", senza i %1 salti con tempo di contatto nullo").arg(f.n_salti - f.n_indici_reattivi);
    nota += QStringLiteral(". Indice di fatica: calo %, rispetto ai primi %1 salti, dell'altezza media degli ultimi %1.")
                .arg(f.quinto);
    return nota;
}

std::vector<RigaMedie> medie(const figure_prova::Figure& f) {
    std::vector<RigaMedie> righe;
    for (size_t k = 1; k <= 5; ++k)
        righe.push_back({testi_medie::righe[k], numeri::formato_0_0(f.medie[k]), numeri::formato_0_0(f.decrementi[k])});
    return righe;
}

QString pagina(int n, int di) { return QStringLiteral("pagina %1 di %2").arg(n).arg(di); }

QString stampato(const QDateTime& quando) { return QStringLiteral("Stampato il ") + data_ora(quando); }

}  // namespace testi_rapporto
