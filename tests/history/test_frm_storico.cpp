// The "Storico prove" window over a real athlete's folder, with graphs that keep their lines.
#include "cartella_atleta.h"

#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "files/comandi_file.h"
#include "history/colonne_storico.h"
#include "history/frm_storico.h"
#include "history/modello_storico.h"
#include "history/storico_atleta.h"
#include "support/finti.h"
#include "support/grafico_serie_finto.h"

#include <QBrush>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QDateTime lunedi(QDate(2024, 3, 11), QTime(9, 0, 0));

struct Banco {
    ModelloProva prova;
    SessioneAtleta sessione;
    VistaIntestazioneFinta intestazione;
    DialogoFileFinto dialogo;
    MessaggiFinti messaggi;
    FogliDiCalcoloFile fogli;
    ComandiFile comandi{prova, sessione, intestazione, dialogo, messaggi, fogli};
    CartellaAtleta atleta;
    QTemporaryDir cache;
    GraficoSerieFinto* confronto = new GraficoSerieFinto;
    GraficoSerieFinto* andamento = new GraficoSerieFinto;
    std::unique_ptr<Frm_storico> f;

    Banco() {
        sessione.squadra = QStringLiteral("Juniores");
        sessione.nome_utente = QStringLiteral("Anna");
        sessione.cartella_utente = atleta.percorso();
        f = std::make_unique<Frm_storico>(
            ServiziStorico{sessione, comandi, fogli, dialogo, messaggi, confronto, andamento, cache.path()});
    }
    void mostra() {
        f->mostra();
        attendi_lettura();
    }
    void attendi_lettura() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !f->storico().in_lettura(); }, 10000));
    }
    ModelloStorico& m() { return f->modello(); }
    QString file_riga(int r) { return m().prova(r) ? m().prova(r)->file.nome : QString(); }
    QStringList righe() {
        QStringList l;
        for (int r = 0; r < m().rowCount(); ++r) l << file_riga(r);
        return l;
    }
    void scegli(std::initializer_list<int> righe) {
        QItemSelection s;
        for (int r : righe) s.select(m().index(r, 0), m().index(r, colonne_storico::Numero - 1));
        f->List_prove->selectionModel()->select(s, QItemSelectionModel::ClearAndSelect);
    }
};

}  // namespace

TEST(Frm_storico, ElencaEApreLeProveComeApriEApriFileCsv) {
    Banco b;
    const QString cmj = b.atleta.archivio("CMJ", lunedi, {30, 34, 32});
    const QString sj = b.atleta.archivio("SJ", lunedi.addDays(1), {28, 29});
    const QString foglio = b.atleta.cartella("Salvata.xlsx", "CMJ", lunedi.addDays(2), {35, 33, 36, 31});
    scrivi_file(b.atleta.file("estranea.csv"), "altro programma");
    b.mostra();
    EXPECT_TRUE(b.f->isVisible());
    EXPECT_EQ(b.f->windowTitle(), "Storico prove");
    const QSize libero = b.f->screen()->availableGeometry().size();
    EXPECT_TRUE(b.f->width() <= libero.width() && b.f->height() <= libero.height()) << libero.width() << "x" << libero.height();
    EXPECT_EQ(b.f->Lbl_atleta->text(), "Atleta: Anna      Squadra: Juniores");
    EXPECT_TRUE(b.f->Lbl_stato->text().startsWith("4 file di prova in "));
    EXPECT_TRUE(b.f->Lbl_stato->text().contains("1 non si può leggere"));
    ASSERT_EQ(b.righe(), (QStringList{"estranea.csv", foglio, sj, cmj}));  // newest first: the foreign file is today's
    EXPECT_EQ(b.m().headerData(colonne_storico::AltezzaMigliore, Qt::Horizontal).toString(), "H migliore\n(cm)");
    const QModelIndex estranea = b.m().index(0, colonne_storico::Data);
    EXPECT_TRUE(b.m().data(estranea, Qt::ForegroundRole).value<QBrush>().color() != QColor(Qt::black));
    EXPECT_TRUE(b.m().data(estranea, Qt::ToolTipRole).toString().contains("non comincia con \"HOPA\""));
    EXPECT_FALSE(b.m().data(b.m().index(1, 0), Qt::ForegroundRole).isValid());
    const QStringList cbo = {b.f->cbo_esercizio->itemText(0), b.f->cbo_esercizio->itemText(1), b.f->cbo_esercizio->itemText(2)};
    EXPECT_EQ(cbo, (QStringList{"Tutti gli esercizi", "CMJ", "SJ"}));

    // A double click loads the archive's text file as "Apri file csv" would, dated by its name.
    emit b.f->List_prove->doubleClicked(b.m().index(3, 2));
    ASSERT_EQ(b.prova.numero(), 3);
    EXPECT_EQ(b.prova.salti()[2].altezza, 34);
    EXPECT_EQ(b.prova.quando(), lunedi);
    EXPECT_EQ(b.sessione.macchina_utente, "CMJ");
    EXPECT_GT(b.intestazione.aggiornamenti, 0);

    // "Apri" loads the workbook as "Apri" would.
    b.f->List_prove->setCurrentIndex(b.m().index(1, 0));
    ASSERT_TRUE(b.f->Cmd_apri->isEnabled());
    b.f->Cmd_apri->click();
    ASSERT_EQ(b.prova.numero(), 4);
    EXPECT_EQ(b.prova.salti()[3].altezza, 36);
    EXPECT_EQ(b.prova.quando(), lunedi.addDays(2));

    // A damaged file says why and leaves the test as it was.
    EXPECT_FALSE(b.f->apri_prova(0));
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.testi()[0].startsWith("Il file "));
    EXPECT_TRUE(b.messaggi.testi()[0].endsWith("non si può aprire: non è il file di una prova (non comincia con \"HOPA\")."));
    EXPECT_EQ(b.prova.numero(), 4);
}

TEST(Frm_storico, ConfrontoEAndamentoDalleProveScelte) {
    Banco b;
    const QString uno = b.atleta.archivio("CMJ", lunedi, {30, 34, 32});
    const QString due = b.atleta.archivio("CMJ", lunedi.addDays(7), {31, 35});
    const QString sj = b.atleta.archivio("SJ", lunedi.addDays(1), {28, 29});
    b.mostra();
    ASSERT_EQ(b.righe(), (QStringList{due, sj, uno}));
    EXPECT_TRUE(b.confronto->serie().empty());
    EXPECT_EQ(b.confronto->tipo_x, GraficoSerie::AsseX::Numeri);
    EXPECT_EQ(b.andamento->tipo_x, GraficoSerie::AsseX::Date);
    // With every exercise shown the trend follows the newest test's.
    EXPECT_EQ(b.andamento->titolo(), "Andamento di \"CMJ\"");
    ASSERT_EQ(b.andamento->serie().size(), 2u);
    EXPECT_EQ(b.andamento->serie()[1].punti.size(), 2);
    EXPECT_EQ(b.andamento->serie()[1].punti[1].y(), 35);

    b.scegli({0, 2});
    ASSERT_EQ(b.confronto->serie().size(), 2u);
    EXPECT_EQ(b.confronto->serie()[0].nome, "11/03/2024 09:00");
    EXPECT_EQ(b.confronto->serie()[0].punti, (QList<QPointF>{{1, 30}, {2, 34}, {3, 32}}));
    EXPECT_EQ(b.confronto->serie()[1].punti, (QList<QPointF>{{1, 31}, {2, 35}}));
    // The current row's exercise, then the filter's, choose the trend.
    b.f->List_prove->setCurrentIndex(b.m().index(1, 0));
    EXPECT_EQ(b.andamento->titolo(), "Andamento di \"SJ\"");

    // Sorting keeps the selection on its tests.
    b.scegli({0, 2});
    b.f->List_prove->sortByColumn(colonne_storico::AltezzaMigliore, Qt::AscendingOrder);
    EXPECT_EQ(b.righe(), (QStringList{sj, uno, due}));
    QStringList scelte;
    for (const QModelIndex& i : b.f->List_prove->selectionModel()->selectedRows()) scelte << b.file_riga(i.row());
    scelte.sort();
    EXPECT_EQ(scelte, (QStringList{uno, due}));

    b.f->cbo_esercizio->setCurrentIndex(b.f->cbo_esercizio->findText("SJ"));
    EXPECT_EQ(b.righe(), QStringList{sj});
    EXPECT_TRUE(b.f->Lbl_stato->text().contains("mostrata 1 prova di \"SJ\""));
    EXPECT_EQ(b.andamento->titolo(), "Andamento di \"SJ\"");
    ASSERT_EQ(b.andamento->serie().size(), 2u);
    EXPECT_EQ(b.andamento->serie()[0].punti, (QList<QPointF>{{static_cast<double>(lunedi.addDays(1).toMSecsSinceEpoch()), 28.5}}));
}

TEST(Frm_storico, NessunAtletaCartellaMancanteEFileTolti) {
    Banco b;
    b.sessione.cartella_utente.clear();
    b.mostra();
    EXPECT_EQ(b.m().rowCount(), 0);
    EXPECT_EQ(b.f->Lbl_stato->text(),
              "Nessun atleta scelto: sceglierlo con Impostazioni > Configura..., poi premere Aggiorna.");

    b.sessione.cartella_utente = b.atleta.file("Juniores/Anna");
    b.f->Cmd_aggiorna->click();
    EXPECT_EQ(b.m().rowCount(), 0);
    EXPECT_TRUE(b.f->Lbl_stato->text().startsWith("La cartella dell'atleta non esiste ("));

    b.sessione.cartella_utente = b.atleta.percorso();
    b.f->Cmd_aggiorna->click();
    EXPECT_TRUE(b.f->Lbl_stato->text().startsWith("Nessuna prova nella cartella dell'atleta"));
    EXPECT_TRUE(b.f->Lbl_stato->text().endsWith(") né nella sua cartella \"prove\"."));

    const QString uno = b.atleta.archivio("CMJ", lunedi, {30});
    const QString due = b.atleta.archivio("CMJ", lunedi.addDays(1), {31});
    b.f->Cmd_aggiorna->click();
    b.attendi_lettura();
    ASSERT_EQ(b.righe(), (QStringList{due, uno}));

    // Removed while the window is open: gone at the next refresh.
    ASSERT_TRUE(QFile::remove(b.atleta.file(due)));
    b.f->Cmd_aggiorna->click();
    EXPECT_EQ(b.righe(), QStringList{uno});

    // Removed and then opened: the import says so, and the row goes.
    ASSERT_TRUE(QFile::remove(b.atleta.file(uno)));
    EXPECT_FALSE(b.f->apri_prova(0));
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.testi()[0].startsWith("mnuFileSalva_dati: "));
    EXPECT_EQ(b.m().rowCount(), 0);
    EXPECT_EQ(b.prova.numero(), 0);
}

TEST(Frm_storico, EsportaLaTabellaMostrata) {
    Banco b;
    b.atleta.archivio("CMJ", lunedi, {30, 34, 32});
    b.atleta.archivio("SJ", lunedi.addDays(1), {28, 29});
    b.mostra();
    b.f->cbo_esercizio->setCurrentIndex(b.f->cbo_esercizio->findText("CMJ"));

    b.dialogo.risposte = {std::nullopt, b.atleta.file("storico.csv"), b.atleta.file("storico.xlsx"),
                          b.atleta.file("manca/storico.xlsx")};
    b.f->Cmd_esporta->click();  // cancelled: silent
    ASSERT_EQ(b.dialogo.visti.size(), 1u);
    const RichiestaFile& r = b.dialogo.visti[0].richiesta;
    EXPECT_TRUE(b.dialogo.visti[0].salvataggio);
    EXPECT_EQ(r.titolo, "Esporta storico");
    EXPECT_EQ(r.cartella_iniziale, b.atleta.percorso());
    EXPECT_EQ(r.nome_suggerito, "Storico Anna CMJ");
    EXPECT_EQ(r.filtro, "Cartelle di lavoro (*.xlsx);;Testo separato da virgole (*.csv)");

    b.f->Cmd_esporta->click();
    const QList<QByteArray> linee = contenuto(b.atleta.file("storico.csv")).split('\n');
    ASSERT_EQ(linee.size(), 3);  // titles and the one CMJ test
    EXPECT_TRUE(linee[1].startsWith("11/03/2024 09:00,CMJ,3,32.0,34.0,"));

    b.f->Cmd_esporta->click();
    QString errore;
    auto letto = b.fogli.apri(b.atleta.file("storico.xlsx"), &errore);
    ASSERT_TRUE(letto) << qPrintable(errore);
    EXPECT_EQ(letto->foglio_attivo().leggi(2, 5), ValoreCella(34.0));
    EXPECT_EQ(letto->foglio_attivo().leggi(3, 1), ValoreCella());

    EXPECT_TRUE(b.messaggi.mostrati.empty());
    b.f->Cmd_esporta->click();
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.testi()[0].startsWith("esporta_storico: "));
}
