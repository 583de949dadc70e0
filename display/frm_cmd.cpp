#include "display/frm_cmd.h"

#include "core/sequenze_scheda.h"
#include "core/stato_collegamento.h"
#include "core/viste.h"
#include "ui/disposizione.h"
#include "ui/misura_testo.h"

#include <QFont>

#include <algorithm>
#include <array>

namespace {
PulsanteSpia* crea(QWidget* genitore, PulsanteSpia::Modo modo, const char* nome, const QString& testo,
                   const QString& suggerimento) {
    auto* b = new PulsanteSpia(modo, genitore);
    b->setObjectName(QString::fromLatin1(nome));
    b->imposta_testo_spento(testo);
    b->setToolTip(suggerimento);
    return b;
}
void esegui(const std::function<void()>& f) {
    if (f) f();
}
}  // namespace

Frm_cmd::Frm_cmd(StatoCollegamento& stato, VistaSalti& vista, SequenzeScheda& scheda, AzioniComandi azioni, QWidget* genitore)
    : QWidget(genitore), stato_(stato), vista_(vista), scheda_(scheda), azioni_(std::move(azioni)) {
    setObjectName(QStringLiteral("Frm_cmd"));
    using M = PulsanteSpia::Modo;
    Button_start = crea(this, M::Semplice, "Button_start", QStringLiteral("RESET DATI"), QStringLiteral("Reset dati"));
    Button_Segnale = crea(this, M::Semplice, "Button_Segnale", QStringLiteral("MEDIE"),
                          QStringLiteral("Calcolo Medie su tutti i valori"));
    Button_Ripetizioni = crea(this, M::Semplice, "Button_Ripetizioni", QStringLiteral("SALVA"),
                              QStringLiteral("Salvataggio automatico della prova"));
    Button_On = crea(this, M::Interruttore, "Button_On", QStringLiteral("ON/OFF"), QStringLiteral("Interrompi acquisizione"));
    Button_On->imposta_testo_acceso(QStringLiteral("OFF"));
    Button_Grafici = crea(this, M::Semplice, "Button_Grafici", QStringLiteral("SET ASSI"),
                          QStringLiteral("Visualizza le variabili acquisite sia in funzione delle ripetizioni che del tempo"));
    Button_Crono = crea(this, M::Semplice, "Button_Crono", QStringLiteral("CRONO"), QStringLiteral("Mostra il cronometro"));
    Button_Calcolatrice = crea(this, M::Semplice, "Button_Calcolatrice", QStringLiteral("CALCOLATRICE"),
                               QStringLiteral("Mostra la colcolatrice"));
    QFont arial = Button_start->font();
    arial.setFamily(QStringLiteral("Arial"));
    Button_start->setFont(arial);

    // The switch starts off; it changes only through the operator or the program,
    // never through a layout.
    Button_On->setValue(false);

    connect(Button_On, &PulsanteSpia::ValueChanged, this, &Frm_cmd::Button_on_ValueChanged);
    connect(Button_start, &QPushButton::clicked, this, [this] { reset_dati(); });
    connect(Button_Ripetizioni, &QPushButton::clicked, this, [this] { esegui(azioni_.salva); });
    connect(Button_Segnale, &QPushButton::clicked, this, [this] { esegui(azioni_.medie); });
    connect(Button_Grafici, &QPushButton::clicked, this, [this] { esegui(azioni_.set_assi); });
    connect(Button_Crono, &QPushButton::clicked, this, [this] { esegui(azioni_.crono); });
    connect(Button_Calcolatrice, &QPushButton::clicked, this, [this] { esegui(azioni_.calcolatrice); });
}

void Frm_cmd::Button_on_ValueChanged(bool Value) {
    if (torna_spento_) return;
    if (Value) {
        // A start that waits for the board's answer empties the test only once the
        // board has answered: a failed start keeps the test on screen.
        const bool con_risposta = scheda_.avvio_con_risposta();
        if (!con_risposta) vista_.azzera_prova();
        if (!scheda_.avvia_acquisizione()) return torna_spento();
        if (con_risposta) vista_.azzera_prova();
        emit acquisizione_cambiata(true);
    } else {
        scheda_.arresta_acquisizione();
        emit acquisizione_cambiata(false);
    }
}

// After a failed start the switch goes back off without the stop sequence:
// nothing was started, and a board that did not answer the start would hold the
// stop's 21 exchanges for their time-outs.
void Frm_cmd::torna_spento() {
    stato_.acquisizione = stato_.scarta_primo = false;
    torna_spento_ = true;
    Button_On->setValue(false);
    torna_spento_ = false;
}

void Frm_cmd::reset_dati() {
    Button_On->setValue(false);
    stato_.acquisizione = false;
    vista_.azzera_prova();
    scheda_.reset_linee();
}

void Frm_cmd::riposiziona(const MisureComandi& m) {
    using namespace disposizione;
    // A step that fails (a negative size) leaves its control as it was; the rest still runs.
    posa(this, 0, m.alto, m.larghezza_principale, m.altezza_principale * 0.15);
    const double w = larghezza(this);
    const double h = altezza(this);

    // Every button follows the previous one, so no two overlap at any width.
    double bordo = 0;
    auto metti = [&](PulsanteSpia* b, double l, double spazio_prima = 0) {
        bordo += spazio_prima;
        if (posa(b, bordo, 0, l, h)) b->setVisible(true);
        bordo += l;
    };
    metti(Button_start, w / 9);
    metti(Button_Segnale, w / 10);
    metti(Button_Ripetizioni, w / 10);
    metti(Button_On, w / 10);
    metti(Button_Grafici, w / 10);
    metti(Button_Crono, w / 10, 200);
    metti(Button_Calcolatrice, w / 8.7);
    adatta_caratteri();
}

void Frm_cmd::adatta_caratteri() {
    // One size for every button: the largest at which each button's texts fit inside
    // a margin, no taller than a quarter of the strip (clear of the lamp on top).
    const std::array<PulsanteSpia*, 7> pulsanti = {Button_start, Button_Segnale, Button_Ripetizioni, Button_On,
                                                   Button_Grafici, Button_Crono, Button_Calcolatrice};
    auto entrano = [&](int pixel) {
        return std::all_of(pulsanti.begin(), pulsanti.end(), [&](PulsanteSpia* b) {
            const int margine = std::max(4, b->width() / 12);
            return misura_testo::entra(misura_testo::in_pixel(b->font(), pixel), {b->testo_spento(), b->text()},
                                       QSize(b->width() - 2 * margine, b->height() / 2));
        });
    };
    const int pixel = misura_testo::dimensione_massima(dimensione_minima, std::max(dimensione_minima, height() / 4), entrano);
    for (PulsanteSpia* b : pulsanti) b->setFont(misura_testo::in_pixel(b->font(), pixel));
}
