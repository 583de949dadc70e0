#include "adapters/qt/dialogo_stampa_qt.h"

#include <QApplication>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `azione` on the print dialog once it is up (gives up after 5 s).
void quando_aperto(std::function<void(QPrintDialog&)> azione) {
    auto* t = new QTimer;
    auto tentativi = std::make_shared<int>(0);
    QObject::connect(t, &QTimer::timeout, [t, tentativi, azione] {
        auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (d || ++*tentativi > 250) {
            t->stop();
            t->deleteLater();
            if (d) azione(*d);
        }
    });
    t->start(20);
}

TEST(DialogoStampaQt, AnnullatoNonDaStampanteConfermatoDaUnaA4) {
    DialogoStampaQt dialogo;
    QString titolo;
    int massimo = 0;
    quando_aperto([&](QPrintDialog& d) {
        titolo = d.windowTitle();
        massimo = d.maxPage();
        d.reject();
    });
    EXPECT_EQ(dialogo.chiedi(QStringLiteral("Rapporto prova"), 3), nullptr);
    EXPECT_EQ(titolo, "Stampa Rapporto prova");
    EXPECT_EQ(massimo, 3);

    quando_aperto([](QPrintDialog& d) { d.accept(); });
    auto stampante = dialogo.chiedi(QStringLiteral("Rapporto prova"), 2);
    ASSERT_NE(stampante, nullptr);
    auto* printer = dynamic_cast<QPrinter*>(stampante.get());
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->docName(), "Rapporto prova");
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_TRUE(printer->pageRanges().isEmpty());  // every page
}

}  // namespace
