// The header and jump panels in a plain window, filled with a dozen jumps from
// the simulated athlete. With a file name it saves a picture of the window there
// and quits; without one it stays open.
//   sim_pannelli [picture.png] [number of jumps]
#include "athletes/frm_intestazione.h"
#include "core/entrata_salti.h"
#include "core/stato.h"
#include "display/frm_grafici.h"
#include "core/numeri.h"
#include "adapters/qt/dialoghi_qt.h"
#include "adapters/qt/grafico_qt.h"
#include "sim/modello_atleta.h"
#include "platform/twips.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {
// Stands in for the main window: lays the panels out at every resize.
class Finestra : public QWidget {
public:
    Finestra(Stato& stato, CasellaInput& casella) {
        setWindowTitle(stato.didascalia());
        auto client = [this] { return QSizeF(twips::da_pixel(width()), twips::da_pixel(height())); };
        grafici = new Frm_grafici(stato, casella, new GraficoQt, client, this);
        intestazione = new Frm_intestazione(stato, *grafici, client, this);
    }
    Frm_grafici* grafici;
    Frm_intestazione* intestazione;

protected:
    void resizeEvent(QResizeEvent*) override {
        intestazione->riposiziona();
        grafici->riposiziona();
    }
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString foto = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int salti = argc > 2 ? std::max(1, std::atoi(argv[2])) : 12;

    Stato stato;
    CasellaInputQt casella;
    Finestra finestra(stato, casella);
    casella.imposta_genitore(&finestra);
    finestra.resize(1024, 700);
    finestra.show();
    // What the configuration dialog's commit does after start-up.
    finestra.intestazione->Aggiorna_intestazione();

    EntrataSalti entrata(stato, finestra.grafici, nullptr);
    SorgenteSalti sorgente(5);
    int32_t accumulo = 0;
    while (stato.salti.numero() < salti) {
        auto t = sorgente.prossimo();
        const int32_t tc = numeri::us_a_ms(t->contatto_us);
        const int32_t tv = numeri::us_a_ms(t->volo_us);
        if (tv <= stato.t_volo_min) {
            accumulo += tc + tv;
            continue;
        }
        entrata.aggiungi_salto(accumulo + tc);
        entrata.completa_salto(tv);
        accumulo = 0;
    }
    finestra.grafici->grafico().ridisegna();

    if (foto.isEmpty()) return app.exec();
    QTimer::singleShot(500, &app, [&] {
        const bool ok = finestra.grab().save(foto);
        std::printf("%s %s\n", ok ? "saved" : "could not save", qPrintable(foto));
        app.exit(ok ? 0 : 1);
    });
    return app.exec();
}
