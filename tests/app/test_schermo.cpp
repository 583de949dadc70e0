// The program fits the screen and uses it: the main window opens inside the free
// area of the screen, and at small, middle and large window sizes every caption,
// check box, button, column head and row shows its whole text where the style
// draws it (measured with the font's metrics), the heads stand in one row over
// their lists, and the lists and the large values grow with the window.
#include "banco_app.h"

#include "app/frm_main.h"
#include "app/geometria_principale.h"
#include "athletes/frm_intestazione.h"
#include "display/frm_cmd.h"
#include "display/frm_grafici.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

namespace {

struct Testo {
    QWidget* controllo;
    QString testo;
    QRect riquadro;  // where the style draws it, in the control's coordinates
    Qt::Alignment allineamento;
};

QRect riquadro_pulsante(QAbstractButton* b, QStyle::SubElement parte) {
    QStyleOptionButton o;
    o.initFrom(b);
    o.text = b->text();
    return b->style()->subElementRect(parte, &o, b);
}

// Every text the panels show, with the box the style gives it.
std::vector<Testo> testi(QWidget* pannello) {
    std::vector<Testo> t;
    for (QWidget* w : pannello->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(pannello)) continue;
        if (auto* c = qobject_cast<QCheckBox*>(w)) {
            t.push_back({c, c->text(), riquadro_pulsante(c, QStyle::SE_CheckBoxContents), Qt::AlignLeft | Qt::AlignVCenter});
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            t.push_back({b, b->text(), riquadro_pulsante(b, QStyle::SE_PushButtonContents), Qt::AlignCenter});
        } else if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            t.push_back({l, l->text(), l->contentsRect(), l->alignment()});
        } else if (auto* lista = qobject_cast<ListaSalti*>(w)) {
            const int margine = lista->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lista) + 1;
            const QPoint origine = lista->viewport()->geometry().topLeft();
            for (int r = 0; r < lista->count(); ++r) {
                // Rows scrolled out of sight are measured where the first one is.
                QRect riga = lista->visualItemRect(lista->item(r)).translated(origine);
                riga.moveTop(origine.y());
                t.push_back({lista, lista->item(r)->text(), riga.adjusted(margine, 0, -margine, 0),
                             Qt::AlignLeft | Qt::AlignVCenter});
            }
        }
    }
    return t;
}

// The part of w's rectangle (in the window's coordinates) its ancestors let show.
QRect visibile(QWidget* w) {
    QWidget* finestra = w->window();
    QRect r(w->mapTo(finestra, QPoint(0, 0)), w->size());
    for (QWidget* p = w->parentWidget(); p && p != finestra; p = p->parentWidget())
        r &= QRect(p->mapTo(finestra, QPoint(0, 0)), p->size());
    return r;
}

// Faults of one text: cut by its control or an ancestor, or covered by a sibling.
QStringList difetti(const Testo& t) {
    QStringList d;
    const QSize serve = QFontMetrics(t.controllo->font()).size(Qt::TextSingleLine, t.testo);
    const QRect dove = QStyle::alignedRect(Qt::LeftToRight, t.allineamento, serve, t.riquadro);
    QWidget* finestra = t.controllo->window();
    const QRect in_finestra = dove.translated(t.controllo->mapTo(finestra, QPoint(0, 0)));
    const QString chi = t.controllo->objectName() + QStringLiteral(" \"") + t.testo + QStringLiteral("\" ");
    if (!t.riquadro.contains(dove) || !visibile(t.controllo).contains(in_finestra))
        d << chi + QStringLiteral("tagliato: serve %1x%2, riquadro %3x%4")
                       .arg(serve.width()).arg(serve.height()).arg(t.riquadro.width()).arg(t.riquadro.height());
    const QRect nel_genitore = dove.translated(t.controllo->pos());
    for (QObject* o : t.controllo->parentWidget()->children()) {
        auto* fratello = qobject_cast<QWidget*>(o);
        if (fratello && fratello != t.controllo && fratello->isVisible() && fratello->geometry().intersects(nel_genitore))
            d << chi + QStringLiteral("coperto da ") + fratello->objectName();
    }
    return d;
}

struct Misure {
    int liste, teste, valori;  // text sizes in pixels
};

class Schermo : public ::testing::Test {
protected:
    void SetUp() override {
        b.con_scheda_hid({});
        b.avvia();
        Applicazione& a = *b.app;
        a.sessione().nome_utente = QStringLiteral("Mario Rossi");
        a.sessione().macchina_utente = QStringLiteral("Squat Jump");
        a.intestazione().Aggiorna_intestazione();
        // Rows as wide as a test makes them: a strong push, long contacts, the last
        // one (a pause on the mat) shown large.
        for (auto [tc, tv] : {std::pair{250, 450}, {95, 510}, {1234, 600}, {180, 420}, {12345, 480}}) {
            a.prova().aggiungi_salto(tc);
            a.prova().completa_salto(tv);
        }
    }

    Misure disponi(int w, int h) {
        Frm_main& f = b.app->principale();
        f.resize(w, h);
        QCoreApplication::processEvents();
        EXPECT_EQ(f.size(), QSize(w, h));
        QStringList tutti;
        for (QWidget* p : {static_cast<QWidget*>(&b.app->intestazione()), static_cast<QWidget*>(&b.app->grafici()),
                           static_cast<QWidget*>(&b.app->comandi())})
            for (const Testo& t : testi(p)) tutti << difetti(t);
        EXPECT_TRUE(tutti.isEmpty()) << w << "x" << h << ":\n" << tutti.join('\n').toStdString();

        Frm_grafici& g = b.app->grafici();
        for (int c = 0; c < Frm_grafici::colonne; ++c) {
            const QRect testa = g.testa(c)->geometry(), lista = g.lista(c)->geometry();
            EXPECT_EQ(testa.top(), g.testa(0)->y()) << c;
            EXPECT_EQ(testa.height(), g.testa(0)->height()) << c;
            EXPECT_EQ(lista.top(), testa.bottom() + 1) << c;
            EXPECT_EQ(lista.left(), testa.left()) << c;
            EXPECT_EQ(lista.width(), testa.width()) << c;
        }
        return {g.lista(0)->font().pixelSize(), g.testa(0)->font().pixelSize(), g.Lbl_valore_tvolo->font().pixelSize()};
    }

    BancoApp b;
};

}  // namespace

TEST(GeometriaPrincipale, DentroLoSpazioLiberoDelloSchermo) {
    for (const QRect schermo : {QRect(0, 0, 1024, 600), QRect(0, 0, 1366, 768), QRect(0, 0, 1920, 1080),
                                QRect(1920, 24, 1280, 776)}) {  // a second screen under a top bar
        const QRect g = geometria_principale(schermo);
        EXPECT_TRUE(schermo.contains(g.marginsAdded(cornice_stimata))) << g.x() << "," << g.y() << " " << g.width();
        // Small screens are used whole; large ones mostly, with the desktop around.
        EXPECT_GE(g.width(), std::min(1024, schermo.width() - 16));
        EXPECT_GE(g.height(), std::min(700, schermo.height() - 40));
        EXPECT_LE(g.width(), schermo.width() * 9 / 10 + 1024 / 10);
    }
    EXPECT_EQ(geometria_principale(QRect(0, 0, 1920, 1080)), QRect(96, 66, 1728, 972));
}

TEST_F(Schermo, LaFinestraPrincipaleSiApreDentroLoSchermo) {
    Frm_main& f = b.app->principale();
    const QRect libero = f.screen()->availableGeometry();
    EXPECT_TRUE(libero.contains(f.frameGeometry())) << f.width() << "x" << f.height() << " on " << libero.width()
                                                    << "x" << libero.height();
}

TEST_F(Schermo, OgniTestoEntraEIlTestoCresceConLaFinestra) {
    const Misure piccola = disponi(800, 600);
    const Misure media = disponi(1366, 768);
    const Misure grande = disponi(2560, 1440);
    EXPECT_LT(piccola.liste, media.liste);
    EXPECT_LT(media.liste, grande.liste);
    EXPECT_LT(piccola.valori, media.valori);
    EXPECT_LT(media.valori, grande.valori);
    EXPECT_LE(piccola.teste, grande.teste);
    // The values: their caption's boxes chosen the other way round still fit.
    b.app->intestazione().Chk_tv->setChecked(true);
    b.app->intestazione().Chk_potenza->setChecked(true);
    disponi(800, 600);
}

// Between and around the three sizes: odd widths and heights of the range.
TEST_F(Schermo, OgniTestoEntraAncheTraLeMisure) {
    for (QSize s : {QSize(800, 1440), QSize(2560, 600), QSize(1024, 700), QSize(1111, 633), QSize(1600, 900),
                    QSize(1920, 1080), QSize(1280, 1024), QSize(2047, 1151)})
        disponi(s.width(), s.height());
}
