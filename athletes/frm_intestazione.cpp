#include "athletes/frm_intestazione.h"

#include "core/sessione_atleta.h"
#include "display/frm_grafici.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
// Designed sizes of the controls the layout does not size (twips).
constexpr double larghezza_intestazione = 3000;
constexpr double larghezza_t_volo = 2400;
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
    Lbl_intestazione->setText(QStringLiteral("Atleta: ") + sessione_.nome_utente);
    Lbl_intestazione1->setText(QStringLiteral("Esercizio: ") + sessione_.macchina_utente);
    Lbl_t_volo->setText(QStringLiteral("T volo min: ") + QString::number(sessione_.t_volo_min) + QStringLiteral("ms"));
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

    posa(Button_Configura, 0, 0, W / 9, H);
    const double sx = sinistra(Button_Configura) + larghezza(Button_Configura) + 300;
    posa(Lbl_intestazione, sx, 50, larghezza(Lbl_intestazione), H / 2);
    posa(Lbl_intestazione1, sx, alto(Lbl_intestazione) + altezza(Lbl_intestazione), larghezza(Lbl_intestazione),
         H / 2);
    posa(Lbl_t_volo, sinistra(Lbl_intestazione) + larghezza(Lbl_intestazione), alto(Lbl_intestazione),
         larghezza(Lbl_t_volo), H / 2);
    if (posa(Fre_altezza_tv, W - W / 5, 50, W / 4, H - 40)) Fre_altezza_tv->hide();

    // A check box is never made shorter than it needs to be drawn and clicked:
    // a tenth of the header is only a few pixels at ordinary window sizes.
    auto alta = [&](QCheckBox* c) {
        const double decimo = H / 10;
        return decimo < 0 ? decimo : std::max(decimo, twips::da_pixel(c->sizeHint().height()));
    };
    posa(Chk_altezza, W - W / 2.3, 100, W / 8, alta(Chk_altezza));
    Chk_altezza->show();
    posa(Chk_tv, sinistra(Chk_altezza), alto(Chk_altezza) + altezza(Chk_altezza) + 50, W / 8, alta(Chk_tv));
    Chk_tv->show();
    posa(Chk_potenza, W - W / 4, 100, W / 8, alta(Chk_potenza));
    Chk_potenza->setEnabled(true);
    Chk_potenza->show();
    posa(Chk_tc, sinistra(Chk_potenza), alto(Chk_potenza) + altezza(Chk_potenza) + 50, W / 8, alta(Chk_tc));
}
