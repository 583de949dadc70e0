#include "tools/frm_medie.h"

#include "core/modello_prova.h"
#include "core/numeri.h"
#include "core/titoli.h"
#include "platform/twips.h"
#include "tools/calcolo_medie.h"
#include "tools/testi_medie.h"

#include <QMdiSubWindow>

#include <array>

namespace {

// Layout, twips. Row 0 of every column is the template the shown rows are stacked from.
constexpr double alto_riga_0 = 120;
constexpr double altezza_riga = 315;
constexpr double passo_righe = 150;
constexpr double sinistra_testi = 120, larghezza_testi = 2520;
constexpr double sinistra_medie = 2760, larghezza_valori = 1500;
constexpr double sinistra_decrementi = 4380;
constexpr double larghezza_finestra = 6000;

// Every box of the window shows a result or a heading: read-only, without the
// frame, the input background or the focus that would make it look like a field
// to type in.
QLineEdit* casella(QWidget* genitore) {
    auto* t = new QLineEdit(genitore);
    t->setReadOnly(true);
    t->setFrame(false);
    t->setFocusPolicy(Qt::NoFocus);
    QPalette colori = t->palette();
    colori.setBrush(QPalette::Base, colori.brush(QPalette::Window));
    t->setPalette(colori);
    return t;
}

}  // namespace

Frm_medie::Frm_medie(RisultatiMedie& risultati, const ModelloProva& prova, const VistaSalti& vista,
                     Messaggi& messaggi, QWidget* genitore)
    : QWidget(genitore),
      Txt_medie(QStringLiteral("Txt_medie"), [this](int) { return casella(this); }),
      Txt_valore_media(QStringLiteral("Txt_valore_media"), [this](int) { return casella(this); }),
      Txt_dec_totale(QStringLiteral("Txt_dec_totale"), [this](int) { return casella(this); }),
      Text1(casella(this)),
      Text2(casella(this)),
      Cmd_chiudi(new QPushButton(QStringLiteral("&CHIUDI"), this)),
      risultati_(risultati),
      prova_(prova),
      vista_(vista),
      messaggi_(messaggi) {
    setObjectName(QStringLiteral("Frm_medie"));
    setWindowTitle(QStringLiteral("Valori Medi"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setText(testi_medie::testa_media);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setText(testi_medie::testa_decremento);
    Cmd_chiudi->setObjectName(QStringLiteral("Cmd_chiudi"));
    connect(Cmd_chiudi, &QPushButton::clicked, this, &QWidget::close);

    struct Colonna {
        GruppoControlli<QLineEdit>& gruppo;
        double sinistra, larghezza;
    };
    const std::array<Colonna, 3> colonne = {{{Txt_medie, sinistra_testi, larghezza_testi},
                                              {Txt_valore_media, sinistra_medie, larghezza_valori},
                                              {Txt_dec_totale, sinistra_decrementi, larghezza_valori}}};
    double alto_ultima = alto_riga_0;
    for (const Colonna& c : colonne) {
        c.gruppo.ridimensiona(5);
        c.gruppo[0]->setGeometry(twips::rettangolo_pixel(c.sinistra, alto_riga_0, c.larghezza, altezza_riga));
        c.gruppo[0]->hide();
        double alto = alto_riga_0;
        for (int k = 1; k <= 5; ++k) {
            alto += altezza_riga + passo_righe;
            c.gruppo[k]->setGeometry(twips::rettangolo_pixel(c.sinistra, alto, c.larghezza, altezza_riga));
            c.gruppo[k]->show();
        }
        alto_ultima = alto;
    }
    // The headings sit over their columns, level with the hidden template row.
    Text1->setGeometry(twips::rettangolo_pixel(sinistra_medie, alto_riga_0, larghezza_valori, altezza_riga));
    Text2->setGeometry(twips::rettangolo_pixel(sinistra_decrementi, alto_riga_0, larghezza_valori, altezza_riga));
    for (int k = 1; k <= 5; ++k) Txt_medie[k]->setText(testi_medie::righe[static_cast<size_t>(k)]);

    const double alto_chiudi = alto_ultima + altezza_riga + 2 * passo_righe;
    const double altezza_chiudi = 375;
    Cmd_chiudi->setGeometry(twips::rettangolo_pixel(sinistra_decrementi, alto_chiudi, larghezza_valori, altezza_chiudi));
    resize(twips::a_pixel(larghezza_finestra), twips::a_pixel(alto_chiudi + altezza_chiudi + alto_riga_0));

    mostra_risultati();
}

void Frm_medie::Calcolo_Medie(bool parziali) {
    const calcolo_medie::Valori valori = parziali
                                             ? calcolo_medie::raccogli_selezionati(prova_.salti(), vista_.righe_selezionate())
                                             : calcolo_medie::raccogli_tutti(prova_.salti());
    if (!calcolo_medie::calcola(valori, risultati_.medie, risultati_.decrementi))
        messaggi_.mostra(QStringLiteral("Lista salti vuota!"), titolo_applicazione);
    mostra_risultati();
}

void Frm_medie::mostra_risultati() {
    for (int k = 1; k <= 5; ++k) {
        Txt_valore_media[k]->setText(numeri::formato_0_0(risultati_.medie[static_cast<size_t>(k)]));
        Txt_dec_totale[k]->setText(numeri::formato_0_0(risultati_.decrementi[static_cast<size_t>(k)]));
    }
}

void Frm_medie::colloca(int larghezza_interna, QPoint origine) {
    QWidget* cornice = this;
    if (auto* sotto = qobject_cast<QMdiSubWindow*>(parentWidget())) cornice = sotto;
    cornice->move(origine.x() + larghezza_interna / 2, origine.y());
}
