// The jump panel's layout for two main-window sizes, in pixels at 15 twips per
// pixel. Expected geometries were worked out by hand from the layout rules
// (each placement's edges rounded to whole pixels, later steps reading back the
// placed controls), below a header 0.08 x MH tall.
#include "pannello_prova.h"

#include <QLabel>

#include <map>

namespace {
using Attese = std::map<QString, QRect>;

QWidget* trova(Frm_grafici& p, const QString& nome) {
    if (nome == p.objectName()) return &p;
    return p.findChild<QWidget*>(nome);
}
}  // namespace

class LayoutGrafici : public PannelloProva {
protected:
    void disponi(double mw, double mh, int altezza_intestazione_px) {
        sopra.setGeometry(0, 0, static_cast<int>(mw / 15), altezza_intestazione_px);
        pannello->imposta_pannello_sopra(&sopra);
        client = QSizeF(mw, mh);
        pannello->riposiziona();
    }
    void confronta(const Attese& attese) {
        for (const auto& [nome, r] : attese) {
            QWidget* w = trova(*pannello, nome);
            ASSERT_NE(w, nullptr) << nome.toStdString();
            EXPECT_EQ(w->geometry(), r) << nome.toStdString();
        }
    }
    QWidget sopra;
};

TEST_F(LayoutGrafici, FinestraDa792Per600) {
    // MW 11880, MH 9000: W 11880, H 6930; c = 11880 / 16 = 742.5 -> 742 (even), 49 px.
    disponi(11880, 9000, 48);
    confronta({
        {"Frm_grafici", {0, 48, 792, 462}},
        {"Lbl_dettaglio_0", {0, 13, 49, 29}},  // top 200 tw, height 6930 / 16
        {"Lbl_dettaglio_1", {49, 13, 49, 29}},  // heads 1..5 as tall as head 0: one row
        {"Lbl_dettaglio_2", {98, 13, 49, 29}},
        {"Lbl_dettaglio_3", {147, 13, 49, 29}},
        {"Lbl_dettaglio_4", {196, 13, 49, 29}},
        {"Lbl_dettaglio_5", {245, 13, 49, 29}},
        {"List_salti_0", {0, 42, 49, 420}},
        {"List_salti_1", {49, 42, 49, 420}},
        {"List_salti_2", {98, 42, 49, 420}},
        {"List_salti_3", {147, 42, 49, 420}},
        {"List_salti_4", {196, 42, 49, 420}},
        {"List_salti_5", {245, 42, 49, 420}},
        {"Lbl_tvolo", {373, 0, 159, 39}},  // 4410 + 1188 tw; W / 5, as wide as its value; H / 12
        {"Lbl_valore_tvolo", {373, 39, 158, 103}},
        {"lbl_tcontatto", {531, 0, 158, 39}},
        {"Lbl_valore_tcontatto", {531, 39, 158, 103}},
        {"grafico", {294, 142, 498, 320}},
    });
    for (int c = 0; c < 6; ++c) {
        EXPECT_FALSE(pannello->lista(c)->isHidden());
        EXPECT_EQ(pannello->testa(c)->alignment(), Qt::AlignCenter);
    }
}

TEST_F(LayoutGrafici, FinestraDa1024Per700) {
    // MW 15360, MH 10500: W 15360, H 8085; c = 960, 64 px.
    disponi(15360, 10500, 56);
    confronta({
        {"Frm_grafici", {0, 56, 1024, 539}},
        {"Lbl_dettaglio_0", {0, 13, 64, 34}},
        {"Lbl_dettaglio_1", {64, 13, 64, 34}},
        {"Lbl_dettaglio_5", {320, 13, 64, 34}},
        {"List_salti_0", {0, 47, 64, 492}},
        {"List_salti_3", {192, 47, 64, 492}},
        {"List_salti_5", {320, 47, 64, 492}},
        {"Lbl_tvolo", {486, 0, 205, 45}},
        {"Lbl_valore_tvolo", {486, 45, 205, 120}},
        {"lbl_tcontatto", {691, 0, 205, 45}},
        {"Lbl_valore_tcontatto", {691, 45, 205, 120}},
        {"grafico", {384, 165, 640, 374}},
    });
}

TEST_F(LayoutGrafici, IlLayoutLasciaLeDidascalieDelleCaselle) {
    chk_tv = true;
    pannello->aggiorna_valori();
    disponi(15360, 10500, 56);
    EXPECT_EQ(pannello->Lbl_tvolo->text(), "TEMPO VOLO");
    EXPECT_EQ(pannello->lbl_tcontatto->text(), "POTENZA");  // Chk_tc clear: the value is the power
}

TEST_F(LayoutGrafici, UnPassoConAltezzaNegativaVieneSaltato) {
    disponi(15360, 10500, 56);
    ASSERT_EQ(pannello->lista(0)->geometry(), QRect(0, 47, 64, 492));
    // MH 240: H = 184.8 tw -> 12 px; list 0 would start at 210 tw, below the panel's
    // bottom, so its step fails and it stays put. The other lists still follow it
    // (left after its old width, its old top and height, the new column width),
    // and the graph is placed after list 5.
    disponi(11880, 240, 2);
    confronta({
        {"Frm_grafici", {0, 2, 792, 12}},
        {"Lbl_dettaglio_0", {0, 13, 49, 1}},
        {"Lbl_dettaglio_1", {49, 13, 49, 1}},
        {"List_salti_0", {0, 47, 64, 492}},
        {"List_salti_1", {64, 47, 49, 492}},
        {"List_salti_2", {113, 47, 49, 492}},
        {"List_salti_5", {260, 47, 49, 492}},
        {"Lbl_tvolo", {388, 0, 159, 1}},
        {"Lbl_valore_tvolo", {388, 1, 158, 3}},
        {"Lbl_valore_tcontatto", {546, 1, 158, 3}},
        {"grafico", {309, 4, 483, 8}},
    });
}
