#pragma once

#include <QPointer>
#include <QWidget>

#include <memory>

class QProgressBar;

// The small window that shows how far a workbook save or import has come.
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
