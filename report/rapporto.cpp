#include "report/rapporto.h"

#include "report/carta.h"
#include "report/grafico_rapporto.h"
#include "report/testi_rapporto.h"
#include "tools/testi_medie.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

const QColor colore_testo(0x20, 0x20, 0x20);
const QColor colore_etichetta(0x60, 0x60, 0x60);
const QColor colore_titolo(0x1f, 0x5f, 0xa8);
const QColor colore_bordo(0xb0, 0xb0, 0xb0);
const QColor colore_fondo_teste(0xe4, 0xe9, 0xf0);
const QColor colore_riga_alterna(0xf4, 0xf6, 0xf8);
constexpr double rientro = 2.5;  // text inside boxes, mm

QMarginsF margini() {
    using namespace impaginazione;
    return {margine_sinistro, margine_alto, margine_destro, margine_basso};
}

}  // namespace

// One drawing of the report on one device.
class Rapporto::Pittura {
public:
    Pittura(const Rapporto& r, QPainter& p, double pixel_per_mm, QSizeF contenuto)
        : r_(r), c_(p, pixel_per_mm), g_(impaginazione::geometria(contenuto)) {
        c_.usa(Carta::carattere(8.5));
        // Cells wider than this many characters are measured and cut; shorter ones fit.
        const double cifra = c_.larghezza(QStringLiteral("0"));
        caratteri_cella_ = static_cast<int>((g_.larghezza_blocco / 6 - 2 * 1.5) / cifra);
    }

    const impaginazione::Geometria& geometria() const { return g_; }

    void pagina(const impaginazione::Pagina& p, int n, int di) {
        if (n == 1) {
            titolo();
            intestazione();
            figure();
            medie();
            c_.riquadro(g_.grafico, colore_bordo);
            grafico_rapporto::disegna(c_, g_.grafico, r_.dati_.salti);
        } else {
            testata();
        }
        for (int b = 0; b < 2; ++b) blocco(g_.sinistra_blocco(b), p.alto_tabella, p.blocchi[static_cast<size_t>(b)]);
        piede(n, di);
    }

private:
    void scrivi(const QRectF& r, int allineamento, const QString& s, const QFont& f, const QColor& colore) {
        c_.usa(f);
        c_.pittore().setPen(colore);
        c_.testo(r, allineamento, s);
    }

    void titolo() {
        const QRectF& t = g_.titolo;
        scrivi(t, Qt::AlignLeft | Qt::AlignVCenter, testi_rapporto::titolo, Carta::carattere(18, true), colore_titolo);
        c_.linea(t.left(), t.bottom(), t.right(), t.bottom(), colore_titolo, 0.5);
    }

    void intestazione() {
        const auto voci = testi_rapporto::intestazione(r_.dati_);
        const QRectF& a = g_.intestazione;
        const double h = a.height() / 3;
        const double colonna = a.width() / 2;
        const double etichetta = 26;
        for (size_t i = 0; i < voci.size(); ++i) {
            const double x = a.left() + (i < 3 ? 0 : colonna);
            const double y = a.top() + static_cast<double>(i % 3) * h;
            scrivi({x, y, etichetta, h}, Qt::AlignLeft | Qt::AlignVCenter, voci[i].etichetta + QLatin1Char(':'),
                   Carta::carattere(9), colore_etichetta);
            scrivi({x + etichetta, y, colonna - etichetta - 2, h}, Qt::AlignLeft | Qt::AlignVCenter, voci[i].valore,
                   Carta::carattere(10, true), colore_testo);
        }
    }

    // The space inside a box, under its heading.
    struct Interno {
        double alto, sinistra, larghezza;
    };
    Interno riquadro(const QRectF& r, const QString& titolo) {
        c_.riquadro(r, colore_bordo);
        scrivi({r.left() + rientro, r.top() + 1, r.width() - 2 * rientro, 6}, Qt::AlignLeft | Qt::AlignVCenter, titolo,
               Carta::carattere(10.5, true), colore_titolo);
        return {r.top() + 7.5, r.left() + rientro, r.width() - 2 * rientro};
    }

    void figure() {
        const auto [alto, sinistra, larghezza] = riquadro(g_.figure, testi_rapporto::titolo_figure);
        double y = alto;
        const double h = 4.6;
        const auto voci = testi_rapporto::figure(r_.figure_);
        const QFont etichette = Carta::carattere(8.5), valori = Carta::carattere(9.5, true);
        // The values take what their widest needs; the labels the rest.
        c_.usa(valori);
        double w_valore = 0;
        for (const auto& v : voci) w_valore = std::max(w_valore, c_.larghezza(v.valore));
        w_valore = std::min(w_valore + 1, larghezza / 2);
        for (const auto& v : voci) {
            scrivi({sinistra, y, larghezza - w_valore, h}, Qt::AlignLeft | Qt::AlignVCenter, v.etichetta, etichette,
                   colore_testo);
            scrivi({sinistra + larghezza - w_valore, y, w_valore, h}, Qt::AlignRight | Qt::AlignVCenter, v.valore,
                   valori, colore_testo);
            y += h;
        }
        c_.usa(Carta::carattere(6.2));
        c_.pittore().setPen(colore_etichetta);
        c_.pittore().drawText(c_.rettangolo({sinistra, y + 0.8, larghezza, g_.figure.bottom() - y - 1.3}),
                              Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, testi_rapporto::nota_figure(r_.figure_));
    }

    void medie() {
        const auto [alto, sinistra, larghezza] = riquadro(g_.medie, testi_rapporto::titolo_medie);
        double y = alto;
        const double h = 5.5;
        const auto righe = testi_rapporto::medie(r_.figure_);
        const QFont testi = Carta::carattere(8.5), teste = Carta::carattere(7.5, true), valori = Carta::carattere(9.5, true);
        // Each value column is as wide as its head or its widest value; the row texts take the rest.
        auto larghezza_colonna = [&](const QString& testa, QString testi_rapporto::RigaMedie::*campo) {
            c_.usa(teste);
            double w = c_.larghezza(testa);
            c_.usa(valori);
            for (const auto& riga : righe) w = std::max(w, c_.larghezza(riga.*campo));
            return w;
        };
        const double decremento = larghezza_colonna(testi_medie::testa_decremento,
                                                    &testi_rapporto::RigaMedie::decremento) + 4;
        const double valore = larghezza_colonna(testi_medie::testa_media, &testi_rapporto::RigaMedie::media) + 5;
        const double testo = larghezza - decremento - valore;
        scrivi({sinistra + testo, y, valore, h}, Qt::AlignRight | Qt::AlignVCenter, testi_medie::testa_media, teste,
               colore_etichetta);
        scrivi({sinistra + testo + valore, y, decremento, h}, Qt::AlignRight | Qt::AlignVCenter,
               testi_medie::testa_decremento, teste, colore_etichetta);
        y += h;
        c_.linea(sinistra, y, sinistra + larghezza, y, colore_bordo);
        for (const auto& riga : righe) {
            scrivi({sinistra, y, testo, h}, Qt::AlignLeft | Qt::AlignVCenter, riga.testo, testi, colore_testo);
            scrivi({sinistra + testo, y, valore, h}, Qt::AlignRight | Qt::AlignVCenter, riga.media, valori,
                   colore_testo);
            scrivi({sinistra + testo + valore, y, decremento, h}, Qt::AlignRight | Qt::AlignVCenter, riga.decremento,
                   valori, colore_testo);
            y += h;
        }
    }

    void testata() {
        const QRectF& t = g_.testata_pagina;
        const QString chi = testi_rapporto::titolo + QStringLiteral(" · ") + r_.dati_.atleta + QStringLiteral(" · ") +
                            r_.dati_.esercizio;
        const QString quando = QStringLiteral("Data prova: ") + testi_rapporto::data_ora(r_.dati_.data_prova);
        const QFont f = Carta::carattere(8.5);
        c_.usa(f);
        const double w_quando = c_.larghezza(quando) + 1;
        scrivi({t.left(), t.top(), t.width() - w_quando - 4, t.height()}, Qt::AlignLeft | Qt::AlignVCenter, chi,
               Carta::carattere(8.5, true), colore_titolo);
        scrivi({t.right() - w_quando, t.top(), w_quando, t.height()}, Qt::AlignRight | Qt::AlignVCenter, quando, f,
               colore_etichetta);
        c_.linea(t.left(), t.bottom(), t.right(), t.bottom(), colore_titolo, 0.3);
    }

    void blocco(double x, double y, const impaginazione::Blocco& b) {
        if (b.righe <= 0) return;
        const double w = g_.larghezza_blocco;
        const double colonna = w / 6;
        const double hr = impaginazione::altezza_riga;
        const QRectF teste(x, y, w, impaginazione::altezza_testata);
        c_.riquadro(teste, Qt::transparent, colore_fondo_teste);
        c_.usa(Carta::carattere(8, true));
        c_.pittore().setPen(colore_testo);
        for (size_t i = 0; i < testi_salto::teste.size(); ++i)
            c_.testo({x + static_cast<double>(i) * colonna, y, colonna - 1.5, teste.height()},
                     Qt::AlignRight | Qt::AlignVCenter, testi_salto::teste[i]);
        double riga_y = teste.bottom();
        for (int32_t r = b.prima; r < b.prima + b.righe; ++r) {
            if ((r - b.prima) % 2 == 1) c_.riquadro({x, riga_y, w, hr}, Qt::transparent, colore_riga_alterna);
            riga_y += hr;
        }
        c_.usa(Carta::carattere(8.5));
        c_.pittore().setPen(colore_testo);
        QPainter& p = c_.pittore();
        riga_y = teste.bottom();
        for (int32_t r = b.prima; r < b.prima + b.righe; ++r) {
            const auto testi = testi_rapporto::riga(r_.dati_.salti[r + 1]);
            for (size_t i = 0; i < testi.size(); ++i) {
                const QRectF cella(x + static_cast<double>(i) * colonna, riga_y, colonna - 1.5, hr);
                if (testi[i].size() <= caratteri_cella_) p.drawText(c_.rettangolo(cella), Qt::AlignRight | Qt::AlignVCenter, testi[i]);
                else c_.testo(cella, Qt::AlignRight | Qt::AlignVCenter, testi[i]);
            }
            riga_y += hr;
        }
        c_.linea(x, riga_y, x + w, riga_y, colore_bordo);
    }

    void piede(int n, int di) {
        const QRectF& f = g_.piede;
        c_.linea(f.left(), f.top() + 1, f.right(), f.top() + 1, colore_bordo);
        const QRectF testo(f.left(), f.top() + 2, f.width(), f.height() - 2);
        const QFont carattere = Carta::carattere(7.5);
        scrivi(testo, Qt::AlignLeft | Qt::AlignVCenter, testi_rapporto::stampato(r_.dati_.data_stampa), carattere,
               colore_etichetta);
        scrivi(testo, Qt::AlignHCenter | Qt::AlignVCenter, testi_rapporto::pagina(n, di), carattere, colore_etichetta);
        scrivi(testo, Qt::AlignRight | Qt::AlignVCenter, r_.dati_.versione, carattere, colore_etichetta);
    }

    const Rapporto& r_;
    Carta c_;
    impaginazione::Geometria g_;
    int caratteri_cella_ = 0;
};

Rapporto::Rapporto(const DatiRapporto& dati) : dati_(dati), figure_(figure_prova::calcola(dati.salti)) {}

int Rapporto::pagine(QSizeF contenuto) const {
    return static_cast<int>(impaginazione::impagina(dati_.salti.numero(), impaginazione::geometria(contenuto)).size());
}

bool Rapporto::disegna(QPagedPaintDevice& dispositivo, const Avanzamento& avanzamento) const {
    dispositivo.setPageMargins(margini(), QPageLayout::Millimeter);
    const QSizeF contenuto = dispositivo.pageLayout().paintRect(QPageLayout::Millimeter).size();
    QPainter p;
    if (!p.begin(&dispositivo)) return false;
    Pittura pittura(*this, p, dispositivo.logicalDpiX() / 25.4, contenuto);
    const auto pagine = impaginazione::impagina(dati_.salti.numero(), pittura.geometria());
    const int di = static_cast<int>(pagine.size());
    const QPageRanges scelte = dispositivo.pageRanges();
    std::vector<int> da_disegnare;
    for (int n = 1; n <= di; ++n)
        if (scelte.isEmpty() || scelte.contains(n)) da_disegnare.push_back(n);
    avanzamento.imposta_massimo(static_cast<int>(da_disegnare.size()));
    for (size_t i = 0; i < da_disegnare.size(); ++i) {
        if (i > 0) dispositivo.newPage();
        const int n = da_disegnare[i];
        pittura.pagina(pagine[static_cast<size_t>(n - 1)], n, di);
        avanzamento.imposta_valore(static_cast<int>(i) + 1);
    }
    return p.end();
}

bool scrivi_pdf(const DatiRapporto& dati, QIODevice& uscita, const Avanzamento& avanzamento) {
    QPdfWriter pdf(&uscita);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(600);
    pdf.setTitle(testi_rapporto::titolo + QStringLiteral(" - ") + dati.atleta + QStringLiteral(" - ") + dati.esercizio);
    pdf.setCreator(dati.versione);
    return Rapporto(dati).disegna(pdf, avanzamento);
}
