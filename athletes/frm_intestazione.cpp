#include "athletes/frm_intestazione.h"

#include "core/sessione_atleta.h"
#include "display/frm_grafici.h"
#include "platform/twips.h"
#include "ui/misura_testo.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <array>

namespace {
// Designed sizes of the controls the layout does not size (twips).
constexpr double larghezza_intestazione = 3000;
constexpr double larghezza_t_volo = 2400;
constexpr int pixel_minimi = 8;          // the smallest text size, in pixels
constexpr double spazio_casella = 0.18;  // a check box's room, part of the header's width
}  // namespace

Frm_intestazione::Frm_intestazione(const SessioneAtleta& sessione, Frm_grafici& grafici, DimensioniClient client, QWidget* genitore)
    : QWidget(genitore), sessione_(sessione), grafici_(grafici), client_(std::move(client)) {
    setObjectName(QStringLiteral("Frm_intestazione"));
    setWindowTitle(QStringLiteral("INTESTAZIONE"));
    crea_controlli();
    grafici_.imposta_caselle([this] { return Chk_tv->isChecked(); }, [this] { return Chk_tc->isChecked(); });
    grafici_.imposta_pannello_sopra(this);

    riposiziona();
    Aggiorna_intestazione();
    Chk_altezza->setChecked(true);
    Chk_tc->setChecked(true);
}

void Frm_intestazione::crea_controlli() {
    auto nome = [](QWidget* w, const char* n) { w->setObjectName(QString::fromLatin1(n)); };

    Button_Configura = new QPushButton(QStringLiteral("CONFIGURA"), this);
    nome(Button_Configura, "Button_Configura");
    connect(Button_Configura, &QPushButton::clicked, this, [this] {
        if (apri_configurazione_) apri_configurazione_();
    });

    Lbl_intestazione = new QLabel(this);
    Lbl_intestazione1 = new QLabel(this);
    Lbl_t_volo = new QLabel(this);
    nome(Lbl_intestazione, "Lbl_intestazione");
    nome(Lbl_intestazione1, "Lbl_intestazione1");
    nome(Lbl_t_volo, "Lbl_t_volo");
    for (QLabel* l : {Lbl_intestazione, Lbl_intestazione1, Lbl_t_volo}) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    disposizione::posa(Lbl_intestazione, 0, 0, larghezza_intestazione, 300);
    disposizione::posa(Lbl_intestazione1, 0, 0, larghezza_intestazione, 300);
    disposizione::posa(Lbl_t_volo, 0, 0, larghezza_t_volo, 300);

    Fre_altezza_tv = new QGroupBox(QStringLiteral("Selezione grandezze visualizzata"), this);
    nome(Fre_altezza_tv, "Fre_altezza_tv");
    Fre_altezza_tv->hide();

    Chk_altezza = new QCheckBox(QStringLiteral("Altezza"), this);
    Chk_tv = new QCheckBox(QStringLiteral("Tempo volo"), this);
    Chk_potenza = new QCheckBox(QStringLiteral("Potenza"), this);
    Chk_tc = new QCheckBox(QStringLiteral("Tempo contatto"), this);
    nome(Chk_altezza, "Chk_altezza");
    nome(Chk_tv, "Chk_tv");
    nome(Chk_potenza, "Chk_potenza");
    nome(Chk_tc, "Chk_tc");

    collega_coppia(Chk_altezza, Chk_tv);
    collega_coppia(Chk_tv, Chk_altezza);
    collega_coppia(Chk_potenza, Chk_tc);
    collega_coppia(Chk_tc, Chk_potenza);
}

// A box's click runs after it has changed, whether the user or the program changed
// it: checked, it clears its partner. Either way the jump panel shows its captions
// and values again, so they always agree with the boxes.
void Frm_intestazione::collega_coppia(QCheckBox* casella, QCheckBox* compagna) {
    connect(casella, &QCheckBox::toggled, this, [this, compagna](bool spuntata) {
        if (spuntata) compagna->setChecked(false);
        grafici_.aggiorna_valori();
    });
}

void Frm_intestazione::Aggiorna_intestazione() {
    const QString atleta = QStringLiteral("Atleta: ") + sessione_.nome_utente;
    const QString esercizio = QStringLiteral("Esercizio: ") + sessione_.macchina_utente;
    const QString t_volo = QStringLiteral("T volo min: ") + QString::number(sessione_.t_volo_min) + QStringLiteral("ms");
    // A test read refreshes the header once per jump: the texts are fitted again
    // only when one of them changed.
    if (atleta == Lbl_intestazione->text() && esercizio == Lbl_intestazione1->text() && t_volo == Lbl_t_volo->text())
        return;
    Lbl_intestazione->setText(atleta);
    Lbl_intestazione1->setText(esercizio);
    Lbl_t_volo->setText(t_volo);
    adatta_etichette();
}

void Frm_intestazione::riposiziona() {
    if (!client_) return;
    const QSizeF c = client_();
    riposiziona(c.width(), c.height());
}

void Frm_intestazione::riposiziona(double MW, double MH) {
    using namespace disposizione;
    // Every step is tried; one that fails (a negative size) leaves its control as it was.
    posa(this, 0, 0, MW, 0.08 * MH);
    const double W = larghezza(this);
    const double H = altezza(this);
    adatta_caselle();

    posa(Button_Configura, 0, 0, W / 9, H);
    adatta_pulsante();
    const double sx = sinistra(Button_Configura) + larghezza(Button_Configura) + 300;
    posa(Lbl_intestazione, sx, 50, larghezza(Lbl_intestazione), H / 2);
    posa(Lbl_intestazione1, sx, alto(Lbl_intestazione) + altezza(Lbl_intestazione), larghezza(Lbl_intestazione),
         H / 2);
    posa(Lbl_t_volo, sinistra(Lbl_intestazione) + larghezza(Lbl_intestazione), alto(Lbl_intestazione),
         larghezza(Lbl_t_volo), H / 2);
    if (posa(Fre_altezza_tv, W - W / 5, 50, W / 4, H - 40)) Fre_altezza_tv->hide();

    // A check box is never made lower than its row allows it to be drawn and
    // clicked: a tenth of the header is only a few pixels at ordinary window sizes.
    auto alta = [&](QCheckBox* c) {
        const double decimo = H / 10;
        const int riga = std::min(c->sizeHint().height(), alto_casella_);
        return decimo < 0 ? decimo : std::max(decimo, twips::da_pixel(riga));
    };
    auto larga = [&](QCheckBox* c) { return std::max(W / 8, twips::da_pixel(c->sizeHint().width())); };
    posa(Chk_altezza, W - W / 2.3, 100, larga(Chk_altezza), alta(Chk_altezza));
    Chk_altezza->show();
    posa(Chk_tv, sinistra(Chk_altezza), alto(Chk_altezza) + altezza(Chk_altezza) + 50, larga(Chk_tv), alta(Chk_tv));
    Chk_tv->show();
    posa(Chk_potenza, W - W / 4, 100, larga(Chk_potenza), alta(Chk_potenza));
    Chk_potenza->setEnabled(true);
    Chk_potenza->show();
    posa(Chk_tc, sinistra(Chk_potenza), alto(Chk_potenza) + altezza(Chk_potenza) + 50, larga(Chk_tc), alta(Chk_tc));
    adatta_etichette();
}

void Frm_intestazione::adatta_caselle() {
    // Two boxes, one above the other, in the header's height below their top of 100
    // twips and their gap of 50; each no wider than the room to the next column (or
    // the panel's edge). The text's line fits the row; the style's margins around it
    // give way on a low header.
    alto_casella_ = (height() - twips::a_pixel(150)) / 2;
    const int larghezza = static_cast<int>(width() * spazio_casella);
    const std::array<QCheckBox*, 4> caselle = {Chk_altezza, Chk_tv, Chk_potenza, Chk_tc};
    const QFont base = Chk_altezza->font();
    auto con = [&](int pixel) {
        for (QCheckBox* c : caselle) c->setFont(misura_testo::in_pixel(base, pixel));
    };
    // On a tall header no larger than looks right beside the style's box.
    const int massimi = std::max(pixel_minimi, std::min(alto_casella_, std::max(13, height() * 22 / 100)));
    const int pixel = misura_testo::dimensione_massima(pixel_minimi, massimi, [&](int p) {
        con(p);
        // A pixel to spare: the row is placed in twips, its edges rounded.
        return QFontMetrics(Chk_altezza->font()).height() < alto_casella_ &&
               std::all_of(caselle.begin(), caselle.end(), [&](QCheckBox* c) { return c->sizeHint().width() <= larghezza; });
    });
    con(pixel);
}

void Frm_intestazione::adatta_pulsante() {
    const int margine = std::max(4, Button_Configura->width() / 12);
    Button_Configura->setFont(misura_testo::carattere_per_riquadro(
        Button_Configura->font(), {Button_Configura->text()},
        QSize(Button_Configura->width() - 2 * margine, Button_Configura->height() / 2), pixel_minimi,
        std::max(pixel_minimi, height() * 3 / 10)));
}

void Frm_intestazione::adatta_etichette() {
    // The athlete and exercise lines and the minimum flight time share the room from
    // the lines' left edge to the check boxes, side by side; one text size for the
    // three, the largest at which they fit. The second line starts its label's top
    // below the first's and so overhangs the panel by that much: the text keeps clear.
    const int sx = Lbl_intestazione->x();
    const int y = Lbl_intestazione->y();
    const int h = Lbl_intestazione->height();
    const int stanza = Chk_altezza->x() - sx;
    const int spazio = std::max(8, h / 2);
    auto righe = [&](const QFont& f) {
        const QFontMetrics m(f);
        return std::pair{std::max(m.horizontalAdvance(Lbl_intestazione->text()),
                                  m.horizontalAdvance(Lbl_intestazione1->text())) + spazio,
                         m.horizontalAdvance(Lbl_t_volo->text()) + spazio};
    };
    const QFont base = Lbl_intestazione->font();
    const int pixel = misura_testo::dimensione_massima(pixel_minimi, std::max(pixel_minimi, height() * 3 / 10), [&](int p) {
        const QFont f = misura_testo::in_pixel(base, p);
        const auto [nome, t_volo] = righe(f);
        return QFontMetrics(f).height() <= h - 2 * y && nome + t_volo <= stanza;
    });
    const QFont f = misura_testo::in_pixel(base, pixel);
    for (QLabel* l : {Lbl_intestazione, Lbl_intestazione1, Lbl_t_volo}) l->setFont(f);
    // The names take what the minimum flight time leaves; a name too long for the
    // smallest size is cut at its label's edge.
    const int t_volo = righe(f).second;
    const int nome = std::max(0, stanza - t_volo);
    Lbl_intestazione->resize(nome, h);
    Lbl_intestazione1->resize(nome, Lbl_intestazione1->height());
    Lbl_t_volo->setGeometry(sx + nome, y, t_volo, Lbl_t_volo->height());
}
