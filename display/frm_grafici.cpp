#include "display/frm_grafici.h"

#include "core/numeri.h"
#include "core/modello_prova.h"
#include "core/testi_salto.h"
#include "display/frm_assi.h"
#include "display/lista_salti.h"
#include "display/valori_grandi.h"
#include "ui/cadenza_pittura.h"
#include "ui/misura_testo.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <array>

namespace {
constexpr double altezza_testa_disegnata = 510;  // twips
constexpr int pixel_minimi = 8;                  // the smallest text size, in pixels
}  // namespace

Frm_grafici::Frm_grafici(ModelloProva& prova, CasellaInput& casella, Grafico* grafico, DimensioniClient client,
                         QWidget* genitore)
    : QWidget(genitore),
      prova_(prova),
      casella_(casella),
      client_(std::move(client)),
      chk_tv_([] { return false; }),
      chk_tc_([] { return false; }),
      List_salti(QStringLiteral("List_salti"), [this](int) { return new ListaSalti(this); }),
      Lbl_dettaglio(QStringLiteral("Lbl_dettaglio"), [this](int) { return new QLabel(this); }),
      grafico_(grafico) {
    setObjectName(QStringLiteral("Frm_grafici"));
    crea_controlli();
    mostra_valori(nullptr);
    riposiziona();
    connect(&prova_, &ModelloProva::salto_aggiunto, this, [this](int32_t, int32_t tc) { mostra_contatto(tc); });
    connect(&prova_, &ModelloProva::salto_completato, this, &Frm_grafici::mostra_salto);
    connect(&prova_, &ModelloProva::azzerata, this, &Frm_grafici::svuota);
    connect(&prova_, &ModelloProva::salto_eliminato, this, &Frm_grafici::togli_riga);
    connect(&prova_, &ModelloProva::sostituita, this, &Frm_grafici::mostra_prova);
}

Frm_grafici::~Frm_grafici() = default;

void Frm_grafici::crea_controlli() {
    List_salti.ridimensiona(colonne - 1);
    Lbl_dettaglio.ridimensiona(colonne - 1);
    for (int i = 0; i < colonne; ++i) {
        QLabel* testa = Lbl_dettaglio[i];
        testa->setText(testi_salto::teste[static_cast<size_t>(i)]);
        testa->setAlignment(Qt::AlignCenter);
        testa->setFrameShape(QFrame::Panel);
        testa->setFrameShadow(QFrame::Raised);
        disposizione::posa(testa, 0, 200, 900, altezza_testa_disegnata);

        ListaSalti* l = List_salti[i];
        l->setModel(&righe_);
        l->imposta_colonna(i);
        // One scroll bar for the table, on its last column; the others follow it.
        if (i < colonne - 1) l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(l, &ListaSalti::tasto_rilasciato, this, [this, i] { allinea_righe(i); });
        connect(l, &ListaSalti::mouse_mosso, this, [this, i] { allinea_righe(i); });
        connect(l, &ListaSalti::mouse_premuto, this,
                [this, i](Qt::MouseButton p, QPoint g) { premuto_in_lista(i, p, g); });
        connect(l, &ListaSalti::tasto_premuto, this, [this](int t) { tasto_in_lista(t); });
        // The six columns scroll as one table.
        connect(l->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, i](int v) {
            for (int j = 0; j < colonne; ++j)
                if (j != i) List_salti[j]->verticalScrollBar()->setValue(v);
        });
    }

    auto etichetta = [this](const char* nome, const QString& testo) {
        auto* e = new QLabel(testo, this);
        e->setObjectName(QString::fromLatin1(nome));
        e->setAlignment(Qt::AlignCenter);
        return e;
    };
    // Their texts come from the header's boxes (mostra_valori).
    Lbl_tvolo = etichetta("Lbl_tvolo", QString());
    lbl_tcontatto = etichetta("lbl_tcontatto", QString());
    Lbl_valore_tvolo = etichetta("Lbl_valore_tvolo", QString());
    Lbl_valore_tcontatto = etichetta("Lbl_valore_tcontatto", QString());
    for (QLabel* e : {Lbl_tvolo, lbl_tcontatto}) {
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
    }
    for (QLabel* e : {Lbl_valore_tvolo, Lbl_valore_tcontatto}) {
        QFont f = e->font();
        f.setBold(true);
        e->setFont(f);
    }

    Lbl_decremento = etichetta("Lbl_decremento", QStringLiteral("Decremento  Tv"));
    Lbl_decremento->hide();
    txt_decremento_tv = new QLineEdit(this);
    txt_decremento_tv->setObjectName(QStringLiteral("txt_decremento_tv"));
    txt_decremento_tv->hide();
    mostra_decremento();

    grafico_->controllo()->setParent(this);
    grafico_->controllo()->setObjectName(QStringLiteral("grafico"));
    grafico_->controllo()->setVisible(true);
    grafico_->imposta_didascalia(QStringLiteral("SALTO"));
    grafico_->imposta_didascalia_x(QStringLiteral("N° Salto"));
    grafico_->imposta_didascalia_y(1, QStringLiteral("Altezza ( cm)"));
    grafico_->imposta_didascalia_y(2, QStringLiteral("Tempo Cont. (msec)"));
    grafico_->imposta_al_click([this] { mostra_assi(); });
}

Grafico& Frm_grafici::grafico() { return *grafico_; }

void Frm_grafici::imposta_caselle(LettoreCasella chk_tv, LettoreCasella chk_tc) {
    chk_tv_ = chk_tv ? std::move(chk_tv) : LettoreCasella([] { return false; });
    chk_tc_ = chk_tc ? std::move(chk_tc) : LettoreCasella([] { return false; });
    aggiorna_valori();
}

void Frm_grafici::aggiorna_valori() {
    const int32_t n = prova_.numero();
    mostra_valori(n > 0 ? &prova_.salti()[n] : nullptr);
}

void Frm_grafici::mostra_valori(const Salto* ultimo) {
    const ValoriGrandi v = valori_grandi(chk_tv_(), chk_tc_(), ultimo);
    Lbl_tvolo->setText(v.didascalia_tvolo);
    Lbl_valore_tvolo->setText(v.valore_tvolo);
    lbl_tcontatto->setText(v.didascalia_tcontatto);
    Lbl_valore_tcontatto->setText(v.valore_tcontatto);
    adatta_valore(Lbl_valore_tvolo);
    adatta_valore(Lbl_valore_tcontatto);
}

void Frm_grafici::mostra_decremento() {
    txt_decremento_tv->setText(QStringLiteral("%= ") + numeri::formato_0_0(decremento_tv_));
}

RigheSalti::Riga Frm_grafici::riga(const Salto& s, double n_rip) {
    RigheSalti::Riga testi = testi_salto::riga(s, n_rip);
    for (size_t i = 0; i < testi.size(); ++i) caratteri_[i] = std::max(caratteri_[i], static_cast<int>(testi[i].size()));
    return testi;
}

void Frm_grafici::aggiungi_righe(const Salto& s, double n_rip) {
    const auto prima = caratteri_;
    righe_.aggiungi(riga(s, n_rip));
    // A row longer than any before it may need smaller text in every column.
    if (caratteri_ != prima) adatta_liste();
}

void Frm_grafici::mostra_salto(int32_t, const Salto& s) {
    mostra_valori(&s);
    mostra_decremento();
    // A list showing its last row follows the new jump; one scrolled back stays where it is.
    QScrollBar* barra = List_salti[0]->verticalScrollBar();
    const bool in_fondo = barra->value() == barra->maximum();
    aggiungi_righe(s, s.n_rip);
    if (in_fondo && !scorrimento_in_attesa_) {
        // Once per paint pass of the window (or else per pass of the event loop),
        // however many jumps came: the lists' pixels then move up rather than being
        // painted again.
        scorrimento_in_attesa_ = true;
        auto scorri = [this] {
            scorrimento_in_attesa_ = false;
            for (int i = 0; i < colonne; ++i) List_salti[i]->scrollToBottom();
        };
        if (CadenzaPittura* cadenza = CadenzaPittura::di(this))
            cadenza->prima_della_passata(this, scorri);
        else
            QTimer::singleShot(0, this, scorri);
    }
    grafico_->aggiungi_punto(1, s.altezza);
    grafico_->aggiungi_punto(2, s.t_contatto);
}

void Frm_grafici::mostra_contatto(int32_t tc_ms) {
    if (chk_tc_()) Lbl_valore_tcontatto->setText(numeri::formato_0(tc_ms));
}

std::vector<int32_t> Frm_grafici::righe_selezionate() const {
    std::vector<int32_t> righe;
    for (const QModelIndex& i : List_salti[0]->selectionModel()->selectedIndexes()) righe.push_back(i.row());
    std::sort(righe.begin(), righe.end());
    return righe;
}

void Frm_grafici::azzera_prova() { prova_.azzera(); }

void Frm_grafici::svuota() {
    righe_.svuota();
    caratteri_.fill(caratteri_base);
    adatta_liste();
    mostra_decremento();
    mostra_valori(nullptr);
    grafico_->cancella_dati();
    grafico_->ridisegna();
}

void Frm_grafici::mostra_prova() {
    svuota();
    // Every row in one notice: the lists lay out once, not once per jump.
    const Salti& salti = prova_.salti();
    std::vector<RigheSalti::Riga> righe;
    righe.reserve(static_cast<size_t>(salti.numero()));
    for (int32_t k = 1; k <= salti.numero(); ++k) {
        righe.push_back(riga(salti[k], k));
        grafico_->aggiungi_punto(1, salti[k].altezza);
        grafico_->aggiungi_punto(2, salti[k].t_contatto);
    }
    righe_.aggiungi(std::move(righe));
    adatta_liste();
    // The large values show the test read, as a box change would.
    aggiorna_valori();
}

void Frm_grafici::elimina_salto() {
    int32_t quale = 0;
    elimina_salto(quale);
}

void Frm_grafici::elimina_salto(int32_t& Quale_salto) {
    ListaSalti* l0 = List_salti[0];
    if (Quale_salto > 0) {
        // A row that does not exist deletes nothing (rather than the selected one).
        if (!l0->seleziona_riga(Quale_salto)) return;
    } else {
        Quale_salto = l0->riga_selezionata();
    }
    const int s = l0->riga_selezionata();
    if (s < 0) return;
    // Row s is jump s + 1; later records move down whole and keep their n_rip. The
    // row goes on the model's notice.
    prova_.elimina(s + 1);
}

void Frm_grafici::togli_riga(int32_t k) {
    const int riga = k - 1;
    std::array<bool, colonne> era_selezionata{};
    for (int i = 0; i < colonne; ++i) era_selezionata[static_cast<size_t>(i)] = List_salti[i]->selezionata(riga);
    if (righe_.elimina(riga)) {
        // The removed row's selection goes with it; it does not pass to the next row.
        for (int i = 0; i < colonne; ++i)
            if (era_selezionata[static_cast<size_t>(i)]) List_salti[i]->clearSelection();
    }
    grafico_->elimina_punto(riga);  // the graph shows the jumps the list shows
}

void Frm_grafici::allinea_righe(int sorgente) {
    const int r = List_salti[sorgente]->riga_selezionata();
    for (int i = 0; i < colonne; ++i) List_salti[i]->seleziona_riga(r);
}

void Frm_grafici::premuto_in_lista(int sorgente, Qt::MouseButton pulsante, QPoint globale) {
    allinea_righe(sorgente);
    if (sorgente == 0 && pulsante == Qt::RightButton && menu_strumenti_) menu_strumenti_->popup(globale);
}

void Frm_grafici::tasto_in_lista(int tasto) {
    if (tasto != Qt::Key_Delete) return;
    ListaSalti* l0 = List_salti[0];
    const int m = l0->count();
    for (int i = 0; i <= m; ++i) {
        if (i < l0->count() && l0->selezionata(i)) {
            int32_t quale = i;
            elimina_salto(quale);
            --i;
        }
    }
}

Frm_assi* Frm_grafici::mostra_assi() {
    if (!assi_) assi_ = new Frm_assi(*grafico_, casella_, this);
    assi_->show();
    assi_->raise();
    assi_->activateWindow();
    return assi_;
}

void Frm_grafici::riposiziona() {
    if (!client_) return;
    const QSizeF c = client_();
    riposiziona(c.width(), c.height());
}

void Frm_grafici::riposiziona(double MW, double MH) {
    using namespace disposizione;
    // Every step is tried; one that fails (a negative size) leaves its control as it was.
    const double alto_pannello = sopra_ ? alto(sopra_) + altezza(sopra_) : 0;
    posa(this, 0, alto_pannello, MW, MH * 0.77);
    const double W = larghezza(this);
    const double H = altezza(this);
    const double c = numeri::arrotonda_i32(W / 16);

    QLabel* t0 = Lbl_dettaglio[0];
    posa(t0, 0, 200, c, H / 16);
    t0->setAlignment(Qt::AlignCenter);
    for (int i = 1; i < colonne; ++i) {
        QLabel* p = Lbl_dettaglio[i - 1];
        QLabel* t = Lbl_dettaglio[i];
        // As tall as head 0, so the heads make one row above the lists.
        posa(t, sinistra(p) + larghezza(p), alto(p), c, altezza(p));
        t->setVisible(true);
        t->setAlignment(Qt::AlignCenter);
    }

    ListaSalti* l0 = List_salti[0];
    const double alto_liste = alto(t0) + altezza(t0);
    posa(l0, 0, alto_liste, c, H - alto_liste);
    for (int i = 1; i < colonne; ++i) {
        ListaSalti* p = List_salti[i - 1];
        ListaSalti* l = List_salti[i];
        posa(l, sinistra(p) + larghezza(p), alto(p), c, altezza(p));
        l->setVisible(true);
    }
    ListaSalti* l5 = List_salti[colonne - 1];
    const double fine_tabella = sinistra(l5) + larghezza(l5);

    // Each caption as wide as the value under it, so it stands centred above it.
    posa(Lbl_tvolo, fine_tabella + W / 10, 0, W / 5, H / 12);
    posa(Lbl_valore_tvolo, sinistra(Lbl_tvolo), alto(Lbl_tvolo) + altezza(Lbl_tvolo), W / 5, H / 4.5);
    posa(lbl_tcontatto, sinistra(Lbl_valore_tvolo) + larghezza(Lbl_valore_tvolo), 0, W / 5, H / 12);
    posa(Lbl_valore_tcontatto, sinistra(lbl_tcontatto), alto(lbl_tcontatto) + altezza(lbl_tcontatto), W / 5,
         H / 4.5);

    const double alto_grafico = alto(Lbl_valore_tvolo) + altezza(Lbl_valore_tvolo);
    posa(grafico_->controllo(), fine_tabella, alto_grafico, W - fine_tabella, H - alto_grafico);

    for (int i = 0; i < colonne; ++i) Lbl_dettaglio[i]->setText(testi_salto::teste[static_cast<size_t>(i)]);
    for (int i : {4, 5}) {
        List_salti[i]->setVisible(true);
        Lbl_dettaglio[i]->setVisible(true);
    }
    adatta_liste();
    adatta_teste();
    adatta_didascalie();
}

// Text sizes follow the placed controls: the largest at which every text fits its
// control, some capped by a part of the panel's height so that the lists keep many
// rows and the heads stay in proportion with them.

int Frm_grafici::larghezza_testo_lista(int colonna) const {
    const ListaSalti* l = List_salti[colonna];
    const QStyle* s = l->style();
    int w = l->width() - 2 * l->frameWidth() - 2 * (s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1);
    if (l->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        w -= s->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, l);
    return w;
}

void Frm_grafici::adatta_liste() {
    // A row of n characters is never wider than n zeros (digits share one width;
    // the separator and the sign are narrower).
    const QFont base = List_salti[0]->font();
    const int pixel = misura_testo::dimensione_massima(pixel_minimi, std::max(pixel_minimi, height() / 34), [&](int p) {
        const QFont f = misura_testo::in_pixel(base, p);
        for (int i = 0; i < colonne; ++i) {
            const QString piu_larga(caratteri_[static_cast<size_t>(i)], QLatin1Char('0'));
            if (!misura_testo::entra(f, {piu_larga}, QSize(larghezza_testo_lista(i), height()))) return false;
        }
        return true;
    });
    if (base.pixelSize() == pixel) return;
    for (int i = 0; i < colonne; ++i) List_salti[i]->setFont(misura_testo::in_pixel(base, pixel));
}

void Frm_grafici::adatta_teste() {
    QStringList testi;
    QSize riquadro(width(), height());
    for (int i = 0; i < colonne; ++i) {
        testi << Lbl_dettaglio[i]->text();
        const QRect r = Lbl_dettaglio[i]->contentsRect();
        riquadro = riquadro.boundedTo(QSize(r.width() - 4, r.height()));
    }
    const QFont f = misura_testo::carattere_per_riquadro(Lbl_dettaglio[0]->font(), testi, riquadro, pixel_minimi,
                                                         std::max(pixel_minimi, height() / 30));
    for (int i = 0; i < colonne; ++i) Lbl_dettaglio[i]->setFont(f);
}

void Frm_grafici::adatta_didascalie() {
    // The box fits whichever caption the header's boxes choose.
    const QStringList testi = {didascalie_grandi::altezza, didascalie_grandi::tempo_volo, didascalie_grandi::potenza,
                               didascalie_grandi::tempo_contatto};
    const QSize riquadro(Lbl_tvolo->width() * 9 / 10, Lbl_tvolo->height());
    const QFont f = misura_testo::carattere_per_riquadro(Lbl_tvolo->font(), testi, riquadro, pixel_minimi,
                                                         std::max(pixel_minimi, riquadro.height()));
    Lbl_tvolo->setFont(f);
    lbl_tcontatto->setFont(f);
    // The values: four digits at the size their box allows.
    const QSize valore(Lbl_valore_tvolo->width() * 9 / 10, Lbl_valore_tvolo->height());
    pixel_valori_ = misura_testo::carattere_per_riquadro(Lbl_valore_tvolo->font(), {QStringLiteral("0000")}, valore,
                                                         pixel_minimi, std::max(pixel_minimi, valore.height()))
                        .pixelSize();
    adatta_valore(Lbl_valore_tvolo);
    adatta_valore(Lbl_valore_tcontatto);
}

void Frm_grafici::adatta_valore(QLabel* valore) {
    // Up to four characters the size of the box; a longer value (a long contact)
    // gets the size it fits.
    int pixel = pixel_valori_;
    if (valore->text().size() > 4) {
        const QSize riquadro(valore->width() * 9 / 10, valore->height());
        pixel = misura_testo::carattere_per_riquadro(valore->font(), {valore->text()}, riquadro, pixel_minimi,
                                                     pixel_valori_)
                    .pixelSize();
    }
    if (pixel > 0 && valore->font().pixelSize() != pixel) valore->setFont(misura_testo::in_pixel(valore->font(), pixel));
}
