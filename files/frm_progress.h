#pragma once

#include <QWidget>

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
