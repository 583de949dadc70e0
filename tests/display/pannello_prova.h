#pragma once

// A jump panel on its own, laid out from a fixed client size, with jumps entered
// the way the transports enter them.

#include "core/modello_prova.h"
#include "display/frm_grafici.h"
#include "display/lista_salti.h"
#include "support/finti.h"
#include "adapters/qt/grafico_qt.h"
#include "platform/grafico.h"
#include "platform/twips.h"

#include <QLocale>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

class PannelloProva : public ::testing::Test {
protected:
    void SetUp() override {
        twips::imposta_per_pixel(15);
        QLocale::setDefault(QLocale::c());
        pannello = std::make_unique<Frm_grafici>(prova, casella, new GraficoQt, [this] { return client; });
        pannello->imposta_caselle([this] { return chk_tv; }, [this] { return chk_tc; });
    }
    void TearDown() override {
        pannello.reset();
        QLocale::setDefault(QLocale::system());
        twips::imposta_per_pixel(0);
    }

    void salto(int tc_ms, int tv_ms) {
        prova.aggiungi_salto(tc_ms);
        prova.completa_salto(tv_ms);
    }
    QStringList colonna(int c) const {
        QStringList testi;
        ListaSalti* l = pannello->lista(c);
        for (int r = 0; r < l->count(); ++r) testi << l->testo(r);
        return testi;
    }
    QStringList riga(int r) const {
        QStringList testi;
        for (int c = 0; c < Frm_grafici::colonne; ++c) testi << pannello->lista(c)->testo(r);
        return testi;
    }
    std::vector<int> selezioni() const {
        std::vector<int> s;
        for (int c = 0; c < Frm_grafici::colonne; ++c) s.push_back(pannello->lista(c)->riga_selezionata());
        return s;
    }

    ModelloProva prova;
    CasellaInputFinta casella;
    QSizeF client{11880, 9000};
    bool chk_tv = false;
    bool chk_tc = false;
    std::unique_ptr<Frm_grafici> pannello;
};
