// Qt's own texts are Italian, as the rest of the interface, whatever the system's
// locale: the test program loads the translation as the program does at start-up.
#include "adapters/qt/dialoghi_qt.h"
#include "platform/traduzione_qt.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The texts of the buttons of the dialog that opens while `apri` runs, then closes it.
QStringList pulsanti_del_dialogo(const std::function<void()>& apri, QStringList* etichette = nullptr) {
    QStringList testi;
    QTimer::singleShot(0, [&] {
        QWidget* d = QApplication::activeModalWidget();
        if (!d) return;
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->isVisible()) testi << b->text().remove(u'&');
        if (etichette)
            for (QLabel* l : d->findChildren<QLabel*>())
                if (l->isVisible() && !l->text().isEmpty()) *etichette << l->text().remove(u'&');
        qobject_cast<QDialog*>(d)->reject();
    });
    apri();
    testi.sort();
    return testi;
}

}  // namespace

TEST(TestiQtItaliani, LaTraduzioneSiCaricaUnaVolta) {
    EXPECT_TRUE(carica_traduzione_qt(*QCoreApplication::instance()));
    EXPECT_TRUE(carica_traduzione_qt(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::instance()->findChildren<QTranslator*>().size(), 1);
}

TEST(TestiQtItaliani, PulsantiEDialoghiStandard) {
    QMessageBox domanda(QMessageBox::Question, "Hopa", "?", QMessageBox::Yes | QMessageBox::No);
    QStringList testi;
    for (QAbstractButton* b : domanda.buttons()) testi << b->text().remove(u'&');
    testi.sort();
    EXPECT_EQ(testi, QStringList({"No", "Sì"}));

    CasellaInputQt casella(nullptr);
    EXPECT_EQ(pulsanti_del_dialogo([&] { casella.chiedi("Nuovo valore:", "Hopa", {}); }),
              QStringList({"Annulla", "OK"}));

    QTemporaryDir dir;
    DialogoFileQt file(nullptr);
    QStringList etichette;
    EXPECT_EQ(pulsanti_del_dialogo([&] { file.salva({"Salva", dir.path(), "xlsx", "", "*.xlsx", true}); }, &etichette),
              QStringList({"Annulla", "Salva"}));
    EXPECT_TRUE(etichette.contains("Nome del file:")) << etichette.join('|').toStdString();
    EXPECT_EQ(pulsanti_del_dialogo([&] { file.apri({"Apri", dir.path(), "", "", "*.xlsx", true}); }),
              QStringList({"Annulla", "Apri"}));

    // Saving over an existing file asks first, in Italian.
    QFile esistente(dir.filePath("prova.xlsx"));
    ASSERT_TRUE(esistente.open(QIODevice::WriteOnly));
    esistente.close();
    QString domanda_sovrascrivi;
    QStringList risposte;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        QTimer::singleShot(0, [&, d] {
            if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                domanda_sovrascrivi = m->text();
                for (QAbstractButton* b : m->buttons()) risposte << b->text().remove(u'&');
                m->done(QMessageBox::No);
            }
            QTimer::singleShot(0, d, &QDialog::reject);
        });
        QMetaObject::invokeMethod(d, "accept");
    });
    EXPECT_FALSE(file.salva({"Salva", dir.path(), "xlsx", "prova.xlsx", "*.xlsx", true}));
    EXPECT_TRUE(domanda_sovrascrivi.contains("esiste già")) << domanda_sovrascrivi.toStdString();
    risposte.sort();
    EXPECT_EQ(risposte, QStringList({"No", "Sì"}));
}
