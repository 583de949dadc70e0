#include "tools/frm_crono.h"

#include "core/numeri.h"
#include "core/titoli.h"
#include "platform/twips.h"
#include "tools/lettura_crono.h"

#include <QCloseEvent>
#include <QFont>

namespace {

QLineEdit* casella_tempo(QWidget* genitore, const char* nome) {
    auto* t = new QLineEdit(genitore);
    t->setObjectName(QString::fromLatin1(nome));
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignCenter);
    QFont f = t->font();
    f.setPointSizeF(f.pointSizeF() * 1.6);
    f.setBold(true);
    t->setFont(f);
    return t;
}

QPushButton* pulsante(QWidget* genitore, const char* nome, const QString& testo) {
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(QString::fromLatin1(nome));
    return b;
}

}  // namespace

Frm_crono::Frm_crono(const ContatoreTick& contatore, Beep& beep, CasellaInput& casella,
                     std::unique_ptr<Temporizzatore> timer, QWidget* genitore)
    : QWidget(genitore),
      Timer_1(timer ? std::move(timer) : nuovo_temporizzatore(this)),
      contatore_(contatore),
      beep_(beep),
      casella_(casella) {
    setObjectName(QStringLiteral("Frm_crono"));
    setWindowTitle(QStringLiteral("Funzioni Tempo"));
    setAttribute(Qt::WA_DeleteOnClose);

    // Layout in twips; children of a frame are placed inside it.
    Fre_crono = new QGroupBox(QStringLiteral("Cronometro"), this);
    Fre_crono->setObjectName(QStringLiteral("Fre_crono"));
    Fre_crono->setGeometry(twips::rettangolo_pixel(120, 120, 3840, 1740));
    Txt_minuti = casella_tempo(Fre_crono, "Txt_minuti");
    Txt_minuti->setGeometry(twips::rettangolo_pixel(240, 360, 1020, 555));
    Txt_secondi = casella_tempo(Fre_crono, "Txt_secondi");
    Txt_secondi->setGeometry(twips::rettangolo_pixel(1410, 360, 1020, 555));
    Txt_decimi = casella_tempo(Fre_crono, "Txt_decimi");
    Txt_decimi->setGeometry(twips::rettangolo_pixel(2580, 360, 1020, 555));
    Command1 = pulsante(Fre_crono, "Command1", QStringLiteral("Start"));
    Command1->setGeometry(twips::rettangolo_pixel(240, 1080, 1620, 435));
    Command2 = pulsante(Fre_crono, "Command2", QStringLiteral("Stop"));
    Command2->setGeometry(twips::rettangolo_pixel(1980, 1080, 1620, 435));

    Chk_avviso_acustico = new QCheckBox(QStringLiteral("Attiva area avviso acustico"), this);
    Chk_avviso_acustico->setObjectName(QStringLiteral("Chk_avviso_acustico"));
    Chk_avviso_acustico->setGeometry(twips::rettangolo_pixel(120, 1980, 3840, 315));

    Fre_conto_rovescia = new QGroupBox(QStringLiteral("Avviso Acustico"), this);
    Fre_conto_rovescia->setObjectName(QStringLiteral("Fre_conto_rovescia"));
    Fre_conto_rovescia->setGeometry(twips::rettangolo_pixel(120, 2400, 3840, 1020));
    txt_valore_cv = new QLineEdit(Fre_conto_rovescia);
    txt_valore_cv->setObjectName(QStringLiteral("txt_valore_cv"));
    txt_valore_cv->setReadOnly(true);
    txt_valore_cv->setGeometry(twips::rettangolo_pixel(240, 390, 1620, 375));
    cmd_conto_rovescia = pulsante(Fre_conto_rovescia, "cmd_conto_rovescia", QStringLiteral("Set frequenza"));
    cmd_conto_rovescia->setGeometry(twips::rettangolo_pixel(1980, 360, 1620, 435));

    resize(twips::a_pixel(4080), twips::a_pixel(3540));

    connect(Command1, &QPushButton::clicked, this, &Frm_crono::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Frm_crono::Command2_Click);
    connect(cmd_conto_rovescia, &QPushButton::clicked, this, &Frm_crono::cmd_conto_rovescia_Click);
    connect(Chk_avviso_acustico, &QCheckBox::toggled, Fre_conto_rovescia, &QWidget::setEnabled);
    Timer_1->al_tick = [this] { Timer_1_Timer(); };

    // Load values.
    Timer_1->abilita(false);
    Txt_secondi->setText(QStringLiteral("sec"));
    Txt_minuti->setText(QStringLiteral("min"));
    Txt_decimi->setText(QStringLiteral("dec"));
    Chk_avviso_acustico->setChecked(true);
    Fre_conto_rovescia->setEnabled(true);
    intervallo_ = 5;
    mostra_intervallo();
}

void Frm_crono::Command1_Click() {
    tick_inizio_ = contatore_.tick_ms();
    Timer_1->imposta_intervallo(100);
    Timer_1->abilita(true);
}

void Frm_crono::Command2_Click() { Timer_1->abilita(false); }

void Frm_crono::cmd_conto_rovescia_Click() {
    const QString risposta = casella_.chiedi(QStringLiteral("Inserisci valore in secondi:"), titolo_applicazione);
    intervallo_ = numeri::a_float32(numeri::prefisso_senza_spazi(risposta));
    mostra_intervallo();
}

void Frm_crono::mostra_intervallo() {
    txt_valore_cv->setText(numeri::testo_float(intervallo_) + QStringLiteral(" sec"));
}

void Frm_crono::Timer_1_Timer() {
    const int32_t t = lettura_crono::trascorsi_ms(contatore_.tick_ms(), tick_inizio_);
    const lettura_crono::Lettura l = lettura_crono::leggi(t);
    secondi_trascorsi_ = static_cast<float>(t / 1000.0);
    if (Chk_avviso_acustico->isChecked() && lettura_crono::passo_avviso(l.secondi_minuto, intervallo_, avviso_armato_))
        beep_.suona();
    Txt_secondi->setText(numeri::formato_00(l.secondi));
    Txt_minuti->setText(numeri::formato_00(l.minuti));
    Txt_decimi->setText(QString::number(l.decimi));
}

void Frm_crono::closeEvent(QCloseEvent* evento) {
    Timer_1->abilita(false);
    evento->accept();
    emit chiusa();
}
