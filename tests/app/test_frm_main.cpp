#include "app/frm_main.h"
#include "platform/twips.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
QStringList voci(QMenu* m) {
    QStringList l;
    for (QAction* a : m->actions()) l << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return l;
}
}  // namespace

TEST(Frm_main, MenuComeDaProgetto) {
    Frm_main f{AzioniMenu{}};
    QStringList menu;
    for (QAction* a : f.menuBar()->actions()) menu << a->text();
    EXPECT_EQ(menu, (QStringList{"&File", "&Impostazioni", "&Strumenti", "&?"}));
    EXPECT_EQ(voci(f.mnuFile),
              (QStringList{"Apri", "Apri file csv", "Apri con Excel", "Salva dati con nome...", "Esporta rapporto PDF...",
                           "Stampa rapporto...", "-", "Esci"}));
    EXPECT_EQ(voci(f.mnuImpostazioni), (QStringList{"Configura...", "Parametri Porta...."}));
    EXPECT_EQ(voci(f.mnuStrumenti),
              (QStringList{"Calcolo medie...", "Medie Parziali", "Storico atleta...", "Cronometro...", "Calcolatrice..."}));
    EXPECT_EQ(voci(f.mnuHelp), (QStringList{"Informazioni su..."}));
    EXPECT_EQ(f.windowTitle(), "HOPA");
}

TEST(Frm_main, OgniVoceRaggiungeLaSuaAzione) {
    QStringList chiamate;
    auto reg = [&](const char* n) { return [&chiamate, n] { chiamate << n; }; };
    AzioniMenu a{reg("apri"),      reg("apri_csv"), reg("apri_excel"),   reg("salva"), reg("esporta"),
                 reg("stampa"),    reg("configura"), reg("porta"),      reg("medie"), reg("parziali"),
                 reg("storico"),   reg("crono"),     reg("calcolatrice"), reg("info")};
    Frm_main f{a};
    const char* nomi[] = {"mnuFileApri", "apri_csv", "apri_excel", "mnuFileSalva_dati", "mnuFileEsporta_rapporto",
                          "mnuFileStampa_rapporto",
                          "mnuImpostazioniConfigura", "mnuImpostazioniParametri_Porta",
                          "mnuStrumentiCalcolo_medie", "medie_parziali", "mnuStrumentiStorico", "mnuStrumentiCronometro",
                          "mnuStrumentiCalcolatrice", "mnuHelpInformazioni"};
    for (const char* n : nomi) {
        auto* azione = f.findChild<QAction*>(n);
        ASSERT_NE(azione, nullptr) << n;
        azione->trigger();
    }
    EXPECT_EQ(chiamate, (QStringList{"apri", "apri_csv", "apri_excel", "salva", "esporta", "stampa", "configura",
                                     "porta", "medie", "parziali", "storico", "crono", "calcolatrice", "info"}));
}

TEST(Frm_main, EsciChiudeConLaSequenzaDiChiusuraCheNonSiFerma) {
    Frm_main f{AzioniMenu{}};
    QStringList passi;
    f.passi_chiusura = {[&] { passi << "crono"; }, [&] {
                            passi << "seriale";
                            throw std::runtime_error("porta sparita");
                        },
                        [&] { passi << "configura"; }, [&] { passi << "hid"; }, [&] { passi << "impostazioni"; }};
    f.show();
    f.findChild<QAction*>("mnuFileEsci")->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(passi, (QStringList{"crono", "seriale", "configura", "hid", "impostazioni"}));
    f.close();  // a second close does not run the steps again
    EXPECT_EQ(passi.size(), 5);
}

TEST(Frm_main, IlRidimensionamentoPassaLaDimensioneDelClientInTwips) {
    twips::imposta_per_pixel(15);
    Frm_main f{AzioniMenu{}};
    double w = -1, h = -1;
    int chiamate = 0;
    f.al_ridimensionamento = [&](double lw, double lh) {
        w = lw;
        h = lh;
        ++chiamate;
    };
    f.resize(800, 600);
    f.show();
    QCoreApplication::processEvents();
    EXPECT_GE(chiamate, 1);
    EXPECT_EQ(w, f.area()->width() * 15.0);
    EXPECT_EQ(h, f.area()->height() * 15.0);
    EXPECT_LT(f.area()->height(), 600);  // the menu bar is not client area
    twips::imposta_per_pixel(0);
}
