#pragma once

#include "files/prova_letta.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <memory>

class QProgressBar;

// The small window that shows how far a workbook save or import, or a report, has come.
class Frm_progress : public QWidget {
    Q_OBJECT

public:
    explicit Frm_progress(QWidget* genitore = nullptr);
    QProgressBar* bar() const { return bar_; }

private:
    QProgressBar* bar_;
};

// The progress window of a command object, made on first use: owned by
// `genitore` when there is one, else by this object.
class ProgressoSuRichiesta {
public:
    explicit ProgressoSuRichiesta(QWidget* genitore) : genitore_(genitore) {}
    Frm_progress& finestra();

private:
    QWidget* genitore_;
    QPointer<Frm_progress> finestra_;
    std::unique_ptr<Frm_progress> propria_;
};

// The progress window is up for as long as this lives; avanzamento() feeds its bar.
// With Eventi::Passano a step of the bar lets pending events run a few times a
// second (not the user's input, so no other command can start, but the board's
// jumps keep arriving): for long work on this thread. A wait that runs its own
// event loop needs none.
class ProgressoVisibile {
public:
    enum class Eventi { Fermi, Passano };

    explicit ProgressoVisibile(Frm_progress& f, Eventi eventi = Eventi::Fermi);
    ~ProgressoVisibile() { chiudi(); }
    ProgressoVisibile(const ProgressoVisibile&) = delete;
    ProgressoVisibile& operator=(const ProgressoVisibile&) = delete;

    void chiudi();
    // Valid while this lives.
    Avanzamento avanzamento();

private:
    void lascia_passare();

    Frm_progress& f_;
    const Eventi eventi_;
    QElapsedTimer orologio_;
};
