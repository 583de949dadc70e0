#include "pannello_prova.h"

#include "core/numeri.h"
#include "display/frm_assi.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {
QPoint centro_riga(ListaSalti* l, int r) { return l->rettangolo_riga(r).center(); }

void clic_riga(ListaSalti* l, int r, Qt::MouseButton p = Qt::LeftButton) {
    QTest::mouseClick(l->viewport(), p, {}, centro_riga(l, r));
}
}  // namespace

using FrmGrafici = PannelloProva;

TEST_F(FrmGrafici, ControlliConNomiETesti) {
    EXPECT_EQ(pannello->objectName(), "Frm_grafici");
    const QStringList teste = {"N°Rip", "Tvolo", "Tcon.", "Altez.", "Sp.Acc.", "Pot."};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(pannello->lista(c)->objectName(), QString("List_salti_%1").arg(c));
        EXPECT_EQ(pannello->testa(c)->objectName(), QString("Lbl_dettaglio_%1").arg(c));
        EXPECT_EQ(pannello->testa(c)->text(), teste[c]);
        EXPECT_EQ(pannello->lista(c)->selectionMode(), QAbstractItemView::SingleSelection);
    }
    EXPECT_TRUE(pannello->Lbl_valore_tvolo->font().bold());
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->font(), pannello->Lbl_valore_tvolo->font());
    EXPECT_EQ(pannello->Lbl_tvolo->objectName(), "Lbl_tvolo");
    EXPECT_EQ(pannello->lbl_tcontatto->objectName(), "lbl_tcontatto");
    EXPECT_TRUE(pannello->Lbl_decremento->isHidden());
    EXPECT_EQ(pannello->Lbl_decremento->text(), "Decremento  Tv");
    EXPECT_TRUE(pannello->txt_decremento_tv->isHidden());
    EXPECT_EQ(pannello->txt_decremento_tv->text(), "%= 0.0");
    Grafico& g = pannello->grafico();
    EXPECT_EQ(g.controllo()->objectName(), "grafico");
    EXPECT_EQ(g.didascalia(), "SALTO");
    EXPECT_EQ(g.didascalia_x(), "N° Salto");
    EXPECT_EQ(g.didascalia_y(1), "Altezza ( cm)");
    EXPECT_EQ(g.didascalia_y(2), "Tempo Cont. (msec)");
}

TEST_F(FrmGrafici, PrimoESecondoSaltoRigheValoriEPunti) {
    salto(300, 500);
    ASSERT_EQ(pannello->lista(0)->count(), 1);
    EXPECT_EQ(riga(0), QStringList({"1", "500", "300", "30.6", "0.0", "0.0"}));
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "31");     // height 30.625, Chk_tv clear
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "0");  // power of a first jump, Chk_tc clear
    Grafico& g = pannello->grafico();
    ASSERT_EQ(g.numero_punti(1), 1);
    ASSERT_EQ(g.numero_punti(2), 1);
    EXPECT_DOUBLE_EQ(g.punto(1, 0), 30.625);
    EXPECT_DOUBLE_EQ(g.punto(2, 0), 300);

    salto(250, 400);
    EXPECT_EQ(riga(1), QStringList({"2", "400", "250", "19.6", "13.6", "23.5"}));
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "20");
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "23");
    EXPECT_EQ(g.numero_punti(1), 2);
    EXPECT_DOUBLE_EQ(g.punto(2, 1), 250);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(pannello->lista(c)->count(), 2);
}

TEST_F(FrmGrafici, LeCaselleDellIntestazioneSceltonoIValoriGrandi) {
    chk_tv = true;
    chk_tc = true;
    prova.aggiungi_salto(287);
    // aggiungi_salto shows the contact time at once when Chk_tc is ticked
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "287");
    prova.completa_salto(512);
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "512");
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "287");

    chk_tc = false;
    prova.aggiungi_salto(199);
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "287");  // not while power is chosen
    chk_tv = false;
    prova.completa_salto(400);
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "20");  // 19.6 cm
    EXPECT_NE(pannello->Lbl_valore_tcontatto->text(), "199");
}

TEST_F(FrmGrafici, UnaVirgolaDecimaleSecondoLaLocalita) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    salto(300, 500);
    EXPECT_EQ(riga(0), QStringList({"1", "500", "300", "30,6", "0,0", "0,0"}));
}

TEST_F(FrmGrafici, IlPannelloSegueLaProvaSostituitaOAccorciataDaAltri) {
    salto(300, 500);
    Salto a;
    a.t_volo = 480;
    a.altezza = 28.2;
    a.t_contatto = 310;
    a.s_acc = 12.34;
    a.potenza = 40.05;
    a.n_rip = 7;
    Salto b = a;
    b.t_volo = 400;
    // A test read from a file: the panel empties itself and shows the new jumps, numbered 1..n.
    prova.sostituisci({a, b});
    EXPECT_EQ(colonna(0), QStringList({"1", "2"}));
    EXPECT_EQ(riga(0), QStringList({"1", "480", "310", "28.2", "12.3", "40.1"}));
    EXPECT_EQ(colonna(1), QStringList({"480", "400"}));
    EXPECT_EQ(pannello->grafico().numero_punti(1), 2);
    EXPECT_DOUBLE_EQ(pannello->grafico().punto(2, 0), 310);
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "28");  // the last jump read, as its caption says
    EXPECT_EQ(pannello->Lbl_tvolo->text(), "ALTEZZA");
    // Whoever deletes a jump, its row goes.
    prova.elimina(1);
    EXPECT_EQ(colonna(1), QStringList({"400"}));
}

TEST_F(FrmGrafici, IlTastoCancEliminaLaRigaSelezionata) {
    pannello->show();
    salto(300, 500);
    salto(250, 400);
    salto(260, 450);
    clic_riga(pannello->lista(0), 0);
    ASSERT_EQ(selezioni(), std::vector<int>(6, 0));
    QTest::keyClick(pannello->lista(0), Qt::Key_Delete);

    EXPECT_EQ(prova.numero(), 2);
    EXPECT_EQ(colonna(0), QStringList({"2", "3"}));
    for (int c = 0; c < 6; ++c) EXPECT_EQ(pannello->lista(c)->count(), 2);
    EXPECT_EQ(prova.salti()[1].n_rip, 2);
    EXPECT_EQ(prova.salti()[1].t_volo, 400);
    EXPECT_EQ(prova.salti()[2].t_contatto, 260);
    EXPECT_EQ(colonna(1), QStringList({"400", "450"}));
    // the graph loses the deleted jump's points, the labels keep what they showed
    EXPECT_EQ(pannello->grafico().numero_punti(1), 2);
    EXPECT_EQ(pannello->grafico().numero_punti(2), 2);
    EXPECT_DOUBLE_EQ(pannello->grafico().punto(1, 0), prova.salti()[1].altezza);
    EXPECT_DOUBLE_EQ(pannello->grafico().punto(2, 1), 260);
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "25");
    // exactly one jump went: nothing is left selected for the loop to delete
    EXPECT_EQ(pannello->righe_selezionate(), std::vector<int32_t>{});

    // Delete pressed in another column deletes the row selected there
    clic_riga(pannello->lista(3), 1);
    QTest::keyClick(pannello->lista(3), Qt::Key_Delete);
    EXPECT_EQ(colonna(0), QStringList({"2"}));
    EXPECT_EQ(prova.numero(), 1);
    EXPECT_EQ(prova.salti()[1].n_rip, 2);
    EXPECT_EQ(pannello->grafico().numero_punti(1), 1);
}

TEST_F(FrmGrafici, CancSenzaSelezioneEAltriTastiNonEliminano) {
    pannello->show();
    salto(300, 500);
    salto(250, 400);
    QTest::keyClick(pannello->lista(2), Qt::Key_Delete);
    EXPECT_EQ(prova.numero(), 2);
    EXPECT_EQ(pannello->lista(0)->count(), 2);

    clic_riga(pannello->lista(0), 1);
    QTest::keyClick(pannello->lista(0), Qt::Key_Backspace);
    QTest::keyClick(pannello->lista(0), Qt::Key_X);
    EXPECT_EQ(prova.numero(), 2);
    EXPECT_EQ(colonna(0), QStringList({"1", "2"}));
}

TEST_F(FrmGrafici, EliminaSaltoRestituisceLaRigaEliminata) {
    for (int i = 0; i < 4; ++i) salto(200 + i, 400 + 10 * i);

    int32_t quale = 2;  // names a row: that one goes, whatever is selected
    pannello->lista(0)->seleziona_riga(0);
    pannello->elimina_salto(quale);
    EXPECT_EQ(quale, 2);
    EXPECT_EQ(colonna(0), QStringList({"1", "2", "4"}));
    EXPECT_EQ(prova.numero(), 3);
    EXPECT_EQ(prova.salti()[3].n_rip, 4);

    quale = 0;  // 0 takes the row selected in list 0
    pannello->lista(0)->seleziona_riga(1);
    pannello->elimina_salto(quale);
    EXPECT_EQ(quale, 1);
    EXPECT_EQ(colonna(0), QStringList({"1", "4"}));
    EXPECT_EQ(colonna(2), QStringList({"200", "203"}));

    quale = 0;  // nothing selected: nothing deleted
    pannello->lista(0)->seleziona_riga(-1);
    pannello->elimina_salto(quale);
    EXPECT_EQ(quale, -1);
    EXPECT_EQ(prova.numero(), 2);

    quale = 7;  // no such row: nothing deleted, not even the selected row
    pannello->lista(0)->seleziona_riga(0);
    pannello->elimina_salto(quale);
    EXPECT_EQ(prova.numero(), 2);
    EXPECT_EQ(colonna(0), QStringList({"1", "4"}));
}

TEST_F(FrmGrafici, OgniEventoNelleListeAllineaLeSeiColonne) {
    pannello->show();
    for (int i = 0; i < 5; ++i) salto(200, 400 + i);
    // a click in any column selects that row in all six
    for (int c = 0; c < 6; ++c) {
        int r = (c + 1) % 5;
        clic_riga(pannello->lista(c), r);
        EXPECT_EQ(selezioni(), std::vector<int>(6, r)) << "column " << c;
    }
    // moving the mouse over a column gives its selected row to the others
    pannello->lista(4)->seleziona_riga(3);
    EXPECT_EQ(selezioni()[0], 1);
    QTest::mouseMove(pannello->lista(4)->viewport(), centro_riga(pannello->lista(4), 0));
    EXPECT_EQ(selezioni(), std::vector<int>(6, 3));
    // a key released in a column (here the arrow that moves its row) does the same
    pannello->lista(2)->setFocus();
    QTest::keyClick(pannello->lista(2), Qt::Key_Down);
    EXPECT_EQ(selezioni(), std::vector<int>(6, 4));
    EXPECT_EQ(pannello->righe_selezionate(), std::vector<int32_t>{4});
}

TEST_F(FrmGrafici, TastoDestroSullaPrimaColonnaApreIlMenuStrumenti) {
    QMenu strumenti;
    strumenti.addAction("Medie");
    pannello->imposta_menu_strumenti(&strumenti);
    pannello->show();
    salto(300, 500);
    salto(250, 400);

    clic_riga(pannello->lista(3), 1, Qt::RightButton);
    EXPECT_FALSE(strumenti.isVisible());
    EXPECT_EQ(selezioni(), std::vector<int>(6, 1));

    QTest::mousePress(pannello->lista(0)->viewport(), Qt::RightButton, {}, centro_riga(pannello->lista(0), 0));
    EXPECT_TRUE(strumenti.isVisible());
    EXPECT_EQ(selezioni(), std::vector<int>(6, 0));
    strumenti.close();

    // a left press in list 0 only selects
    QTest::mouseClick(pannello->lista(0)->viewport(), Qt::LeftButton, {}, centro_riga(pannello->lista(0), 1));
    EXPECT_FALSE(strumenti.isVisible());
}

TEST_F(FrmGrafici, AzzeraProvaSuUnaProvaVuota) {
    pannello->azzera_prova();
    for (int c = 0; c < 6; ++c) EXPECT_EQ(pannello->lista(c)->count(), 0);
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "0");
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "0");
    EXPECT_EQ(pannello->grafico().numero_punti(1), 0);
    EXPECT_EQ(pannello->grafico().numero_punti(2), 0);
    EXPECT_EQ(prova.numero(), 0);
}

TEST_F(FrmGrafici, AzzeraProvaSvuotaTuttoMaTieneTesteDidascalieEAssi) {
    salto(300, 500);
    salto(250, 400);
    chk_tv = true;
    pannello->aggiorna_valori();  // what a box of the header does
    pannello->grafico().imposta_massimo(1, 80);
    pannello->azzera_prova();
    EXPECT_EQ(prova.numero(), 0);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(pannello->lista(c)->count(), 0);
    EXPECT_EQ(pannello->Lbl_valore_tvolo->text(), "0");
    EXPECT_EQ(pannello->Lbl_valore_tcontatto->text(), "0");
    EXPECT_EQ(pannello->txt_decremento_tv->text(), "%= 0.0");
    EXPECT_EQ(pannello->grafico().numero_punti(1), 0);
    EXPECT_EQ(pannello->Lbl_tvolo->text(), "TEMPO VOLO");
    EXPECT_EQ(pannello->testa(5)->text(), "Pot.");
    EXPECT_EQ(pannello->grafico().massimo(1), 80);
    // the next test numbers its jumps from 1 again
    salto(280, 450);
    EXPECT_EQ(colonna(0), QStringList({"1"}));
}

TEST_F(FrmGrafici, UnClicSulGraficoApreIlDialogoDegliAssi) {
    pannello->show();
    EXPECT_EQ(pannello->assi(), nullptr);
    QWidget* g = pannello->grafico().controllo();
    QTest::mouseClick(static_cast<QAbstractScrollArea*>(g)->viewport(), Qt::LeftButton, {}, g->rect().center());
    Frm_assi* assi = pannello->assi();
    ASSERT_NE(assi, nullptr);
    EXPECT_TRUE(assi->isVisible());
    EXPECT_FALSE(assi->isModal());
    EXPECT_EQ(assi->windowTitle(), "Set Assi");
    assi->close();
    EXPECT_EQ(pannello->mostra_assi(), assi);  // one dialog, shown again
    EXPECT_TRUE(assi->isVisible());
    assi->close();
}

TEST_F(FrmGrafici, LeColonneScorronoInsiemeESeguonoIlSaltoNuovo) {
    pannello->show();
    for (int i = 0; i < 80; ++i) salto(200, 400 + i);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    // The newest jump is in view in every column, on the same line.
    for (int c = 0; c < Frm_grafici::colonne; ++c) {
        ListaSalti* l = pannello->lista(c);
        EXPECT_TRUE(l->viewport()->rect().intersects(l->rettangolo_riga(79))) << c;
        EXPECT_EQ(l->verticalScrollBar()->value(), pannello->lista(0)->verticalScrollBar()->value()) << c;
    }
    // Scrolled back in one column, all follow, and a new jump does not pull them away.
    pannello->lista(3)->verticalScrollBar()->setValue(0);
    salto(200, 600);
    QCoreApplication::processEvents();
    for (int c = 0; c < Frm_grafici::colonne; ++c) EXPECT_EQ(pannello->lista(c)->verticalScrollBar()->value(), 0) << c;
}

// 500 jumps in one pass of the event loop (a burst read from the port): every row
// is there at once, and the lists lay out and scroll once for all of them.
TEST_F(FrmGrafici, UnaRafficaInUnPassaggioUnaSolaImpaginazione) {
    pannello->show();
    QCoreApplication::processEvents();
    std::vector<int> prima;
    for (int c = 0; c < Frm_grafici::colonne; ++c) prima.push_back(pannello->lista(c)->impaginazioni());
    for (int i = 0; i < 500; ++i) salto(200 + i % 50, 400 + i % 100);
    EXPECT_EQ(colonna(0).size(), 500);
    const Salto& ultimo = prova.salti()[500];
    EXPECT_EQ(riga(499), QStringList({"500", "499", "249", "30.5", numeri::formato_0_0(ultimo.s_acc),
                                      numeri::formato_0_0(ultimo.potenza)}));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    for (int c = 0; c < Frm_grafici::colonne; ++c) {
        ListaSalti* l = pannello->lista(c);
        EXPECT_EQ(l->count(), 500) << c;
        EXPECT_EQ(l->impaginazioni() - prima[static_cast<size_t>(c)], 1) << c;
        EXPECT_TRUE(l->viewport()->rect().contains(l->rettangolo_riga(499))) << c;
    }
    EXPECT_EQ(pannello->grafico().numero_punti(2), 500);
}

// Rows far down a long test are found where they are drawn: a click, the keys that
// move by pages and to the ends select the same row in all six columns and keep it
// in view.
TEST_F(FrmGrafici, InUnaProvaLungaClicETastiTrovanoLaRigaGiusta) {
    pannello->show();
    std::vector<Salto> letti(3000);
    for (size_t i = 0; i < letti.size(); ++i) letti[i].t_volo = static_cast<double>(i);
    QSignalSpy righe_nuove(&pannello->righe(), &QAbstractItemModel::rowsInserted);
    prova.sostituisci(letti);  // a test read: all its rows in one notice
    EXPECT_EQ(righe_nuove.count(), 1);
    EXPECT_EQ(riga(2999).mid(0, 2), QStringList({"3000", "2999"}));

    ListaSalti* l = pannello->lista(3);
    l->scrollTo(pannello->righe().index(1500, 3), QAbstractItemView::PositionAtCenter);
    QCoreApplication::processEvents();
    clic_riga(l, 1502);
    EXPECT_EQ(selezioni(), std::vector<int>(6, 1502));
    EXPECT_EQ(pannello->lista(1)->testo(1502), "1502");

    const int pagina = l->viewport()->height() / l->altezza_riga();
    for (auto [tasto, attesa] : {std::pair{Qt::Key_PageDown, 1502 + pagina}, {Qt::Key_End, 2999}, {Qt::Key_Home, 0}}) {
        QTest::keyClick(l, tasto);
        EXPECT_EQ(selezioni(), std::vector<int>(6, attesa)) << tasto;
        EXPECT_TRUE(l->viewport()->rect().contains(l->rettangolo_riga(attesa))) << tasto;
    }
}
