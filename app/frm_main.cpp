#include "app/frm_main.h"

#include "platform/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QMenuBar>

#include <exception>

Frm_main::Frm_main(AzioniMenu azioni, QWidget* genitore) : QMainWindow(genitore), azioni_(std::move(azioni)) {
    setObjectName(QStringLiteral("Frm_main"));
    setWindowTitle(QStringLiteral("HOPA"));
    area_ = new QWidget(this);
    area_->setObjectName(QStringLiteral("area_client"));
    setCentralWidget(area_);
    area_->installEventFilter(this);

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    voce(mnuFile, "mnuFileApri", QStringLiteral("Apri"), azioni_.apri);
    voce(mnuFile, "apri_csv", QStringLiteral("Apri file csv"), azioni_.apri_csv);
    voce(mnuFile, "apri_excel", QStringLiteral("Apri con Excel"), azioni_.apri_excel);
    voce(mnuFile, "mnuFileSalva_dati", QStringLiteral("Salva dati con nome..."), azioni_.salva_dati);
    voce(mnuFile, "mnuFileEsporta_rapporto", QStringLiteral("Esporta rapporto PDF..."), azioni_.esporta_rapporto);
    voce(mnuFile, "mnuFileStampa_rapporto", QStringLiteral("Stampa rapporto..."), azioni_.stampa_rapporto);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSepara"));
    voce(mnuFile, "mnuFileEsci", QStringLiteral("Esci"), [this] { close(); });

    mnuImpostazioni = menuBar()->addMenu(QStringLiteral("&Impostazioni"));
    mnuImpostazioni->setObjectName(QStringLiteral("mnuImpostazioni"));
    voce(mnuImpostazioni, "mnuImpostazioniConfigura", QStringLiteral("Configura..."), azioni_.configura);
    voce(mnuImpostazioni, "mnuImpostazioniParametri_Porta", QStringLiteral("Parametri Porta...."),
         azioni_.parametri_porta);

    mnuStrumenti = menuBar()->addMenu(QStringLiteral("&Strumenti"));
    mnuStrumenti->setObjectName(QStringLiteral("mnuStrumenti"));
    voce(mnuStrumenti, "mnuStrumentiCalcolo_medie", QStringLiteral("Calcolo medie..."), azioni_.calcolo_medie);
    voce(mnuStrumenti, "medie_parziali", QStringLiteral("Medie Parziali"), azioni_.medie_parziali);
    voce(mnuStrumenti, "mnuStrumentiStorico", QStringLiteral("Storico atleta..."), azioni_.storico);
    voce(mnuStrumenti, "mnuStrumentiCronometro", QStringLiteral("Cronometro..."), azioni_.cronometro);
    voce(mnuStrumenti, "mnuStrumentiCalcolatrice", QStringLiteral("Calcolatrice..."), azioni_.calcolatrice);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&?"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    voce(mnuHelp, "mnuHelpInformazioni", QStringLiteral("Informazioni su..."), azioni_.informazioni);
}

QAction* Frm_main::voce(QMenu* menu, const char* nome, const QString& testo, const std::function<void()>& azione) {
    QAction* a = menu->addAction(testo);
    a->setObjectName(QString::fromLatin1(nome));
    connect(a, &QAction::triggered, this, [azione] {
        if (azione) azione();
    });
    return a;
}

double Frm_main::larghezza_client() const { return twips::da_pixel(area_->width()); }
double Frm_main::altezza_client() const { return twips::da_pixel(area_->height()); }

void Frm_main::riposiziona_pannelli() {
    if (al_ridimensionamento) al_ridimensionamento(larghezza_client(), altezza_client());
}

bool Frm_main::eventFilter(QObject* o, QEvent* e) {
    // The client area's own resize carries the size the panels are laid out from.
    if (o == area_ && e->type() == QEvent::Resize) riposiziona_pannelli();
    return QMainWindow::eventFilter(o, e);
}

void Frm_main::closeEvent(QCloseEvent* e) {
    if (!chiuso_) {
        chiuso_ = true;
        for (const auto& passo : passi_chiusura) {
            try {
                if (passo) passo();
            } catch (const std::exception&) {
                // A failing step is passed over; the settings are still written.
            } catch (...) {
            }
        }
        e->accept();
        emit chiusa();
        return;
    }
    e->accept();
}
