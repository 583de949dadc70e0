#include "core/stato.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Stato stato;
    QLabel finestra(stato.didascalia());
    finestra.setWindowTitle(stato.didascalia());
    finestra.show();
    return app.exec();
}
