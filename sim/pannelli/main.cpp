// The header and jump panels in a plain window, filled with a dozen jumps from
// the simulated athlete. With a file name it saves a picture of the window there
// and quits; without one it stays open.
//   sim_pannelli [picture.png] [number of jumps]
#include "athletes/frm_intestazione.h"
#include "core/assemblatore_salti.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/stato_collegamento.h"
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
    Finestra(ModelloProva& prova, const SessioneAtleta& sessione, CasellaInput& casella) {
        setWindowTitle(StatoCollegamento().didascalia());
        auto client = [this] { return QSizeF(twips::da_pixel(width()), twips::da_pixel(height())); };
        grafici = new Frm_grafici(prova, casella, new GraficoQt, client, this);
        intestazione = new Frm_intestazione(sessione, *grafici, client, this);
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

    ModelloProva prova;
    SessioneAtleta sessione;
    CasellaInputQt casella;
    Finestra finestra(prova, sessione, casella);
    casella.imposta_genitore(&finestra);
    finestra.resize(1024, 700);
    finestra.show();
    // What the configuration dialog's commit does after start-up.
    finestra.intestazione->Aggiorna_intestazione();

    // The jumps enter as a board's records do.
    AssemblatoreSalti assemblatore(sessione, prova);
    SorgenteSalti sorgente(5);
    while (prova.numero() < salti) {
        auto t = sorgente.prossimo();
        assemblatore.nuovi_tempi_us(t->contatto_us, t->volo_us);
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
