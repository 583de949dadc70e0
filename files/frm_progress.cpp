#include "files/frm_progress.h"

#include "core/titoli.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

Frm_progress::Frm_progress(QWidget* genitore) : QWidget(genitore, Qt::Tool) {
    setObjectName(QStringLiteral("Frm_progress"));
    setWindowTitle(titolo_applicazione);
    // While it is up the other windows take no input, so no command starts in the
    // middle of another; the board's data and the timers go on.
    setWindowModality(Qt::ApplicationModal);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("bar"));
    bar_->setMinimum(0);
    bar_->setMaximum(0);
    auto* l = new QVBoxLayout(this);
    l->addWidget(bar_);
    resize(320, 60);
}

Frm_progress& ProgressoSuRichiesta::finestra() {
    if (!finestra_) {
        finestra_ = new Frm_progress(genitore_);
        if (!genitore_) propria_.reset(finestra_.data());
    }
    return *finestra_;
}

ProgressoVisibile::ProgressoVisibile(Frm_progress& f, Eventi eventi) : f_(f), eventi_(eventi) {
    f_.bar()->setRange(0, 0);
    f_.bar()->setValue(0);
    f_.show();
    if (eventi_ == Eventi::Passano) lascia_passare();
}

void ProgressoVisibile::chiudi() { f_.hide(); }

Avanzamento ProgressoVisibile::avanzamento() {
    return {[this](int n) { f_.bar()->setRange(0, n); },
            [this](int k) {
                f_.bar()->setValue(k);
                if (eventi_ == Eventi::Passano && orologio_.elapsed() >= 50) lascia_passare();
            }};
}

void ProgressoVisibile::lascia_passare() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    orologio_.start();
}
