#include "app/avviso_accesso.h"

#include "platform/dialoghi.h"
#include "platform/libreria_hid.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace {
// Runs `azione` once, from the event loop, after the watched window is shown.
class DopoComparsa : public QObject {
public:
    DopoComparsa(QWidget* finestra, std::function<void()> azione) : QObject(finestra), azione_(std::move(azione)) {
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            o->removeEventFilter(this);
            // Not inside show(): the caller goes on, the box opens from the next loop.
            QTimer::singleShot(0, parent(), std::move(azione_));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> azione_;
};
}  // namespace

void mostra_avvisi_accesso(LibreriaHid& libreria, Messaggi& messaggi, QWidget& principale, const QString& titolo) {
    auto detto = std::make_shared<bool>(false);
    libreria.al_accesso_negato = [&messaggi, finestra = QPointer<QWidget>(&principale), titolo,
                                  detto](const QString& avviso) {
        if (*detto || !finestra) return;
        *detto = true;
        auto mostra = [&messaggi, avviso, titolo] { messaggi.mostra(avviso, titolo, Icona::Esclamazione); };
        if (finestra->isVisible()) mostra();
        else new DopoComparsa(finestra, std::move(mostra));
    };
}
