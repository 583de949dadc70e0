#include "ui/cadenza_pittura.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

CadenzaPittura::CadenzaPittura(QWidget* finestra) : QObject(finestra), finestra_(finestra) {
    rinvio_.setSingleShot(true);
    rinvio_.setTimerType(Qt::PreciseTimer);
    connect(&rinvio_, &QTimer::timeout, this, [this] {
        QCoreApplication::postEvent(finestra_, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    });
    finestra_->installEventFilter(this);
}

CadenzaPittura* CadenzaPittura::di(const QWidget* w) {
    return w ? w->window()->findChild<CadenzaPittura*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

qint64 CadenzaPittura::intervallo_ns() const {
    const QScreen* schermo = finestra_->screen();
    const double hz = schermo && schermo->refreshRate() >= 20 ? schermo->refreshRate() : 60.0;
    return static_cast<qint64>(1e9 / hz);
}

void CadenzaPittura::prima_della_passata(QObject* chi, std::function<void()> azione) {
    auto gia = std::find_if(prima_.begin(), prima_.end(), [chi](const auto& p) { return p.first == chi; });
    if (gia != prima_.end())
        gia->second = std::move(azione);
    else
        prima_.emplace_back(chi, std::move(azione));
    chiedi_passata();
}

void CadenzaPittura::chiedi_passata() {
    if (rinvio_.isActive()) return;
    const qint64 resto = ultima_.isValid() ? intervallo_ns() - ultima_.nsecsElapsed() : 0;
    rinvio_.start(resto <= 0 ? 0 : std::max(1, static_cast<int>(std::ceil(static_cast<double>(resto) / 1e6))));
}

bool CadenzaPittura::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto != finestra_ || evento->type() != QEvent::UpdateRequest) return false;
    if (!ultima_.isValid() || ultima_.nsecsElapsed() >= intervallo_ns()) {
        ultima_.start();
        ++passate_;
        rinvio_.stop();
        // Its work may make more to paint: that goes into this very pass.
        auto prima = std::move(prima_);
        prima_.clear();
        for (auto& [chi, azione] : prima)
            if (chi) azione();
        return false;
    }
    // Held back: Qt asks no more until this one is answered, so one request per
    // window is ever waiting, and it comes back through here when it is due.
    chiedi_passata();
    return true;
}
