#include "display/frm_assi.h"

#include "core/numeri.h"
#include "core/titoli.h"
#include "platform/dialoghi.h"
#include "platform/grafico.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString prompt_cm = QStringLiteral("Inserisci valore in cm:");
const QString prompt_msec = QStringLiteral("Inserisci valore in msec:");
}  // namespace

Frm_assi::Frm_assi(Grafico& grafico, CasellaInput& casella, QWidget* genitore)
    : QDialog(genitore), grafico_(grafico), casella_(casella) {
    setObjectName(QStringLiteral("Frm_assi"));
    setWindowTitle(QStringLiteral("Set Assi"));
    setModal(false);

    auto nome = [](QObject* o, const char* n) { o->setObjectName(QString::fromLatin1(n)); };
    auto riquadro = [&](QGroupBox*& fra, const char* n, const QString& titolo, QLineEdit*& t_min, const char* n_tmin,
                        QLineEdit*& t_max, const char* n_tmax, QPushButton*& c_min, const char* n_cmin,
                        QPushButton*& c_max, const char* n_cmax) {
        fra = new QGroupBox(titolo, this);
        nome(fra, n);
        t_min = new QLineEdit(fra);
        t_max = new QLineEdit(fra);
        nome(t_min, n_tmin);
        nome(t_max, n_tmax);
        t_min->setReadOnly(true);
        t_max->setReadOnly(true);
        c_min = new QPushButton(QStringLiteral("Minimo"), fra);
        c_max = new QPushButton(QStringLiteral("Massimo"), fra);
        nome(c_min, n_cmin);
        nome(c_max, n_cmax);
        c_min->setAutoDefault(false);
        c_max->setAutoDefault(false);
        auto* g = new QGridLayout(fra);
        g->addWidget(c_max, 0, 0);
        g->addWidget(t_max, 0, 1);
        g->addWidget(c_min, 1, 0);
        g->addWidget(t_min, 1, 1);
    };
    riquadro(fra_altezza, "fra_altezza", QStringLiteral("Altezza (cm)"), Txt_min_altezza, "Txt_min_altezza",
             Txt_max_altezza, "Txt_max_altezza", Cmd_min_altezza, "Cmd_min_altezza", cmd_max_altezza,
             "cmd_max_altezza");
    riquadro(Fra_tc, "Fra_tc", QStringLiteral("Tempo Contatto (msec)"), Txt_min_tc, "Txt_min_tc", Txt_max_tc,
             "Txt_max_tc", Cmd_min_tc, "Cmd_min_tc", Cmd_max_tc, "Cmd_max_tc");
    Cmd_chiudi = new QPushButton(QStringLiteral("CHIUDI"), this);
    nome(Cmd_chiudi, "Cmd_chiudi");
    Cmd_chiudi->setAutoDefault(false);

    auto* v = new QVBoxLayout(this);
    v->addWidget(fra_altezza);
    v->addWidget(Fra_tc);
    v->addWidget(Cmd_chiudi);

    connect(cmd_max_altezza, &QPushButton::clicked, this,
            [this] { chiedi_limite(1, Limite::Massimo, prompt_cm, QStringLiteral(" cm"), Txt_max_altezza); });
    connect(Cmd_min_altezza, &QPushButton::clicked, this,
            [this] { chiedi_limite(1, Limite::Minimo, prompt_cm, QStringLiteral(" cm"), Txt_min_altezza); });
    connect(Cmd_max_tc, &QPushButton::clicked, this,
            [this] { chiedi_limite(2, Limite::Massimo, prompt_msec, QStringLiteral(" msec"), Txt_max_tc); });
    connect(Cmd_min_tc, &QPushButton::clicked, this,
            [this] { chiedi_limite(2, Limite::Minimo, prompt_msec, QStringLiteral(" msec"), Txt_min_tc); });
    connect(Cmd_chiudi, &QPushButton::clicked, this, &QWidget::close);
}

void Frm_assi::showEvent(QShowEvent* e) {
    leggi_limiti();
    QDialog::showEvent(e);
}

void Frm_assi::leggi_limiti() {
    auto testo = [](double v) { return numeri::testo_float(numeri::a_float32(v)); };
    Txt_max_altezza->setText(testo(grafico_.massimo(1)));
    Txt_min_altezza->setText(testo(grafico_.minimo(1)));
    Txt_max_tc->setText(testo(grafico_.massimo(2)));
    Txt_min_tc->setText(testo(grafico_.minimo(2)));
}

void Frm_assi::chiedi_limite(int plot, Limite quale, const QString& prompt, const QString& unita, QLineEdit* box) {
    const QString risposta = casella_.chiedi(prompt, titolo_applicazione, QString());
    const float v = numeri::a_float32(numeri::prefisso_senza_spazi(risposta));
    box->setText(numeri::testo_float(v) + unita);
    if (quale == Limite::Massimo)
        grafico_.imposta_massimo(plot, v);
    else
        grafico_.imposta_minimo(plot, v);
}
