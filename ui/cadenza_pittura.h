#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <utility>
#include <vector>

class QWidget;

// At most one paint pass of a window per refresh of its screen. Qt paints a
// window in every pass of the event loop in which something in it changed: fed by
// a board at 240 frames a second, the window would be painted 240 times a second,
// three of them never seen. This filter holds the window's update request back
// until a refresh interval has passed since the pass before, then lets one
// through: whatever changed meanwhile is painted in that one pass, and only that
// (the widgets' dirty regions add up). A change waits at most one refresh, and a
// change after a quiet spell is painted at once.
//
// Work wanted once per frame can be left to run just before the next pass: a
// list that follows its newest row scrolls there once, however many rows came,
// and its pixels are moved rather than painted again (Qt moves them only while
// nothing under them waits to be painted, that is right before a pass).
class CadenzaPittura : public QObject {
    Q_OBJECT

public:
    // Filters `finestra`'s update requests for as long as both live.
    explicit CadenzaPittura(QWidget* finestra);

    // The one filtering the window `w` is in, if any.
    static CadenzaPittura* di(const QWidget* w);

    // Runs `azione` just before the next paint pass and makes sure that pass
    // comes. Asked again by the same `chi` before then, it runs once (the last
    // `azione` given); it does not run once `chi` is gone.
    void prima_della_passata(QObject* chi, std::function<void()> azione);

    // The paint passes let through so far.
    int passate() const { return passate_; }
    // One refresh of the window's screen (60 Hz when it does not say).
    qint64 intervallo_ns() const;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // Asks for a pass at the first moment one is due.
    void chiedi_passata();

    QWidget* finestra_;
    QElapsedTimer ultima_;  // since the last pass let through
    QTimer rinvio_;         // asks for the pass held back
    int passate_ = 0;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> prima_;
};
