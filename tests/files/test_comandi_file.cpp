#include "core/cp1252.h"
#include "core/metriche.h"
#include "core/numeri.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "files/comandi_file.h"
#include "files/frm_progress.h"
#include "adapters/workbook/fogli_file.h"
#include "adapters/workbook/foglio_memoria.h"
#include "adapters/workbook/scrittura_xlsx.h"
#include "support/file_prova.h"
#include "support/attesa.h"
#include "support/finti.h"
#include "support/prova_osservata.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

const QString dati = QStringLiteral(HOPA_DATI_TEST);

// The real spreadsheet component, watched: whether the progress window was up
// while a workbook was made, stored or opened, and on which thread a workbook was
// read. A read can be made slow, or held until let go, as a disk can.
class FogliOsservati : public FogliDiCalcolo {
public:
    std::unique_ptr<CartellaLavoro> nuova() override {
        annota();
        return vero.nuova();
    }
    std::unique_ptr<CartellaLavoro> apri(const QString& p, QString* e) override {
        ++in_lettura;
        annota();
        if (QThread::currentThread() != progresso->thread()) ++letture_in_disparte;
        QDeadlineTimer ritardo(ritardo_ms);
        while (!ritardo.hasExpired() || trattieni) QThread::msleep(5);
        auto c = vero.apri(p, e);
        --in_lettura;
        return c;
    }
    // The window is asked on its own thread, which answers while it waits for the read.
    void annota() {
        bool su = false;
        auto guarda = [&] { su = progresso->isVisible(); };
        if (QThread::currentThread() == progresso->thread()) guarda();
        else QMetaObject::invokeMethod(progresso, guarda, Qt::BlockingQueuedConnection);
        visibile_durante.push_back(su);
    }
    FogliDiCalcoloFile vero;
    QWidget* progresso = nullptr;
    std::vector<bool> visibile_durante;
    int ritardo_ms = 0;
    std::atomic<bool> trattieni{false};
    std::atomic<int> in_lettura{0};
    std::atomic<int> letture_in_disparte{0};
};

struct Banco {
    ModelloProva prova;
    SessioneAtleta sessione;
    ProvaOsservata osservata{prova};
    VistaIntestazioneFinta intestazione;
    DialogoFileFinto dialogo;
    MessaggiFinti messaggi;
    FogliOsservati fogli;
    ComandiFile comandi{prova, sessione, intestazione, dialogo, messaggi, fogli};
    QTemporaryDir dir;

    Banco() {
        comandi.adesso = [] { return QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)); };
        fogli.progresso = &comandi.progresso();
        sessione.cartella_utente = dir.path();
    }
    QString percorso(const QString& nome) const { return dir.filePath(nome); }
    // A test as the live display builds it, with one jump deleted so that n_rip
    // no longer equals the position.
    void riempi(int n) {
        for (int k = 1; k <= n + 1; ++k) {
            prova.aggiungi_salto(150 + 11 * k);
            prova.completa_salto(380 + 7 * k);
        }
        prova.elimina(3);
    }
};

// A workbook in the test layout, with one cell changed.
QString cartella_con(const Banco& b, const QString& nome, int r, int c, const ValoreCella& v) {
    FoglioMemoria f;
    f.scrivi(1, 3, QStringLiteral("Tipo salto"));
    f.scrivi(1, 10, 1.0);
    f.scrivi(2, 2, QStringLiteral("Altro"));
    f.scrivi(r, c, v);
    const QString p = b.percorso(nome);
    QString e;
    EXPECT_TRUE(scrivi_xlsx(f, p, &e)) << e.toStdString();
    return p;
}

}  // namespace

TEST(ComandiFile, IlDialogoDiSalvataggio) {
    Banco b;
    b.sessione.macchina_utente = QStringLiteral("Spinte  Panca ");
    b.dialogo.risposte.push_back(std::nullopt);
    b.comandi.mnuFileSalva_dati();
    ASSERT_EQ(b.dialogo.visti.size(), 1u);
    const auto& v = b.dialogo.visti[0];
    EXPECT_TRUE(v.salvataggio);
    EXPECT_EQ(v.richiesta.titolo, "Salva dati con nome");
    EXPECT_EQ(v.richiesta.nome_suggerito, "Spinte  Panca _ 2024 03 15 09 05 07");  // blanks kept
    EXPECT_EQ(v.richiesta.estensione_predefinita, "xlsx");
    EXPECT_EQ(v.richiesta.filtro, "*.xlsx");
    EXPECT_TRUE(v.richiesta.cartella_iniziale.isEmpty());
    EXPECT_TRUE(v.richiesta.annulla_errore);
    // Cancelled: nothing written, nothing said.
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    EXPECT_TRUE(QDir(b.dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(b.fogli.visibile_durante.empty());
}

TEST(ComandiFile, AndataERitornoDi25Salti) {
    Banco a;
    a.riempi(25);
    ASSERT_EQ(a.prova.numero(), 25);
    a.sessione.nome_utente = QStringLiteral("Niccolò Ferrè");
    const QString p = a.percorso(QStringLiteral("prova.xlsx"));
    a.dialogo.risposte.push_back(p);
    a.comandi.mnuFileSalva_dati();
    ASSERT_TRUE(a.messaggi.mostrati.empty()) << a.messaggi.testi().join("|").toStdString();
    EXPECT_EQ(a.fogli.visibile_durante, std::vector<bool>{true});
    EXPECT_FALSE(a.comandi.progresso().isVisible());
    EXPECT_EQ(a.comandi.progresso().bar()->maximum(), 25);
    EXPECT_EQ(a.comandi.progresso().bar()->value(), 25);

    // The file itself, through the reader: time stamp on every row, J1 = N.
    QString errore;
    auto letto = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(letto) << errore.toStdString();
    EXPECT_EQ(std::get<double>(letto->leggi(1, 10)), 25.0);
    EXPECT_EQ(std::get<QString>(letto->leggi(2, 1)), " 2024 03 15 09 05 07");
    EXPECT_EQ(std::get<QString>(letto->leggi(26, 1)), " 2024 03 15 09 05 07");
    EXPECT_EQ(std::get<QString>(letto->leggi(26, 3)), "Spinte Panca");

    Banco b;
    b.prova.aggiungi_salto(1);
    ASSERT_TRUE(b.comandi.apri_file_xls(p));
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.testi().join("|").toStdString();
    EXPECT_EQ(b.prova.salti(), a.prova.salti());  // every double of every jump, n_rip from column D
    EXPECT_EQ(b.prova.quando(), QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)));  // the time stamp of column A
    EXPECT_EQ(b.prova.salti()[3].n_rip, 4);
    EXPECT_EQ(b.sessione.nome_utente, QStringLiteral("Niccolò Ferrè"));
    EXPECT_EQ(b.sessione.macchina_utente, "Spinte Panca");
    EXPECT_EQ(b.osservata.azzeramenti, 1);
    ASSERT_EQ(b.osservata.righe.size(), 25u);
    for (int k = 1; k <= 25; ++k) {
        EXPECT_EQ(b.osservata.righe[static_cast<size_t>(k - 1)].k, k);
        EXPECT_EQ(b.osservata.righe[static_cast<size_t>(k - 1)].salto, a.prova.salti()[k]);
    }
    EXPECT_EQ(b.intestazione.aggiornamenti, 26);
    EXPECT_EQ(b.fogli.visibile_durante, std::vector<bool>{true});
    EXPECT_FALSE(b.comandi.progresso().isVisible());
    EXPECT_EQ(b.comandi.progresso().bar()->maximum(), 25);
}

TEST(ComandiFile, ZeroSalti) {
    Banco a;
    const QString p = a.percorso(QStringLiteral("vuota.xlsx"));
    ASSERT_TRUE(a.comandi.Salva_File_Dati_Excel(p));
    QString errore;
    auto letto = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(letto) << errore.toStdString();
    EXPECT_EQ(letto->numero_celle(), 10u);
    EXPECT_EQ(std::get<QString>(letto->leggi(1, 9)), "Potenza (W)");
    EXPECT_EQ(std::get<double>(letto->leggi(1, 10)), 0.0);

    // Importing a test of no jumps still refreshes the header, once.
    Banco b;
    b.riempi(3);
    ASSERT_TRUE(b.comandi.apri_file_xls(p));
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_TRUE(b.osservata.righe.empty());
    EXPECT_EQ(b.osservata.azzeramenti, 1);
    EXPECT_EQ(b.intestazione.aggiornamenti, 1);
    EXPECT_EQ(b.sessione.nome_utente, "");  // row 2 of such a workbook is empty
    EXPECT_EQ(b.prova.quando(), QFileInfo(p).lastModified());  // no time stamp in it: the file's own time
}

TEST(ComandiFile, UnSalvataggioFallitoLoDiceENonRovinaIlFileDiPrima) {
    Banco b;
    b.riempi(2);
    EXPECT_FALSE(b.comandi.Salva_File_Dati_Excel(b.percorso(QStringLiteral("manca/prova.xlsx"))));
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("Salva_File_Dati_Excel: "));
    EXPECT_GT(b.messaggi.mostrati[0].testo.size(), QString("Salva_File_Dati_Excel: ").size());
    EXPECT_EQ(b.messaggi.mostrati[0].titolo, "Hopa");
    EXPECT_FALSE(b.comandi.progresso().isVisible());

    const QString p = b.percorso(QStringLiteral("prova.xlsx"));
    ASSERT_TRUE(scrivi_file(p, "prova di ieri"));
    b.prova.sostituisci(std::vector<Salto>(32768));
    EXPECT_FALSE(b.comandi.Salva_File_Dati_Excel(p));
    EXPECT_EQ(b.messaggi.testi().last(), "Salva_File_Dati_Excel: Overflow");
    EXPECT_EQ(contenuto(p), "prova di ieri");
    EXPECT_FALSE(b.comandi.progresso().isVisible());
}

TEST(ComandiFile, UnaImportazioneFallitaLasciaLaProvaComEra) {
    Banco b;
    b.riempi(4);
    b.sessione.nome_utente = QStringLiteral("Mario");
    b.sessione.macchina_utente = QStringLiteral("Squat");
    const Salti prima = b.prova.salti();

    const QString senza_titolo = cartella_con(b, "c1.xlsx", 1, 3, QStringLiteral("Tipo salto "));
    const QString j1 = cartella_con(b, "j1.xlsx", 1, 10, 40000.0);
    const QString d2 = cartella_con(b, "d2.xlsx", 2, 4, QStringLiteral("sette"));
    const QString guasta = b.percorso(QStringLiteral("guasta.xlsx"));
    ASSERT_TRUE(scrivi_file(guasta, contenuto(dati + QStringLiteral("/prova_libreoffice.xlsx")).left(2000)));
    struct Caso {
        QString percorso, messaggio;
    };
    const Caso casi[] = {
        {senza_titolo, "File " + senza_titolo + " errato!"},
        {j1, "apri_file_xls: Overflow"},
        {d2, "apri_file_xls: Tipo non corrispondente"},
        {guasta, "apri_file_xls: non è un file .xlsx valido"},
        {b.percorso(QStringLiteral("manca.xlsx")), "apri_file_xls: "},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.percorso.toStdString());
        b.messaggi.mostrati.clear();
        EXPECT_FALSE(b.comandi.apri_file_xls(c.percorso));
        ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
        EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith(c.messaggio)) << b.messaggi.mostrati[0].testo.toStdString();
        EXPECT_EQ(b.prova.salti(), prima);
        EXPECT_EQ(b.sessione.nome_utente, "Mario");
        EXPECT_EQ(b.sessione.macchina_utente, "Squat");
        EXPECT_EQ(b.osservata.azzeramenti, 0);
        EXPECT_TRUE(b.osservata.righe.empty());
        EXPECT_EQ(b.intestazione.aggiornamenti, 0);
        EXPECT_FALSE(b.comandi.progresso().isVisible());
    }
}

TEST(ComandiFile, ImportaIFileDiUnAltroProgrammaSenzaToccarli) {
    for (const char* nome : {"prova_libreoffice.xlsx", "prova_libreoffice.xls"}) {
        SCOPED_TRACE(nome);
        Banco b;
        const QString p = b.percorso(QLatin1String(nome));
        ASSERT_TRUE(QFile::copy(dati + u'/' + QLatin1String(nome), p));
        const QByteArray prima = contenuto(p);
        const QDateTime modificato = QFileInfo(p).lastModified();
        b.dialogo.risposte.push_back(p);
        b.comandi.mnuFileApri();
        ASSERT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.testi().join("|").toStdString();
        EXPECT_EQ(b.sessione.nome_utente, QStringLiteral("Niccolò Ferrè"));
        EXPECT_EQ(b.sessione.macchina_utente, "Squat Jump");
        ASSERT_EQ(b.prova.numero(), 3);
        EXPECT_EQ(b.prova.salti()[2].n_rip, 5);
        EXPECT_EQ(b.prova.salti()[3].n_rip, 9);
        EXPECT_EQ(b.prova.salti()[1].altezza, 32.1771875);
        EXPECT_EQ(b.prova.salti()[2].t_contatto, 187.5);
        EXPECT_EQ(b.prova.salti()[3].t_volo, 0.001);
        EXPECT_EQ(b.osservata.righe.back().k, 3);
        EXPECT_EQ(contenuto(p), prima);
        EXPECT_EQ(QFileInfo(p).lastModified(), modificato);
        EXPECT_EQ(QDir(b.dir.path()).entryList(QDir::Files).size(), 1);
    }
}

TEST(ComandiFile, IDialoghiDiApertura) {
    Banco b;
    b.sessione.cartella_utente = QStringLiteral("/atleti/Mario");
    b.dialogo.risposte = {std::nullopt, std::nullopt, dati + QStringLiteral("/prova_libreoffice.xlsx"),
                          std::nullopt};
    b.comandi.mnuFileApri();
    b.comandi.apri_file_csv();
    // The chosen workbook is handed back, to be opened elsewhere; the test is not touched.
    EXPECT_EQ(b.comandi.apri_excel(), dati + QStringLiteral("/prova_libreoffice.xlsx"));
    EXPECT_FALSE(b.comandi.apri_excel().has_value());
    ASSERT_EQ(b.dialogo.visti.size(), 4u);
    for (const auto& v : b.dialogo.visti) {
        EXPECT_FALSE(v.salvataggio);
        EXPECT_EQ(v.richiesta.titolo, "Apri");
        EXPECT_EQ(v.richiesta.cartella_iniziale, "/atleti/Mario");
        EXPECT_TRUE(v.richiesta.annulla_errore);
    }
    EXPECT_EQ(b.dialogo.visti[0].richiesta.filtro, "*.xlsx *.xls");
    EXPECT_EQ(b.dialogo.visti[1].richiesta.filtro, "");
    EXPECT_EQ(b.dialogo.visti[2].richiesta.filtro, "*.xlsx *.xls");
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    EXPECT_EQ(b.osservata.azzeramenti, 0);
    EXPECT_EQ(b.sessione.nome_utente, "Ilvor Darsena");
    EXPECT_TRUE(b.fogli.visibile_durante.empty());
}

TEST(ComandiFile, ApriFileCsv) {
    Banco b;
    b.riempi(2);
    const Salti prima = b.prova.salti();
    QString ultimo;
    auto apri = [&b, &ultimo](const QByteArray& testo) {
        static int n = 0;
        const QString p = b.percorso(QStringLiteral("p%1.csv").arg(++n));
        ultimo = p;
        EXPECT_TRUE(scrivi_file(p, testo));
        b.messaggi.mostrati.clear();
        b.dialogo.risposte.push_back(p);
        b.comandi.apri_file_csv();
    };
    const QByteArray testa = "HOPA,\"x\",\"Luca\",\"Squat\",\"x\",";
    const QByteArray titoli = "\r\nN,T volo,T cont,H,S,P,x\r\n,ms,ms,cm,cm,W,\r\n";

    // Lower-case marker: silence, and the test stays.
    apri("hopa,\"x\",\"Luca\",\"Squat\",\"x\",0" + titoli);
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    EXPECT_EQ(b.prova.salti(), prima);
    EXPECT_EQ(b.sessione.nome_utente, "Ilvor Darsena");

    // Damaged files: the message, and the test stays.
    for (const QByteArray& guasto : {testa + "2" + titoli + "1,500,200,30,10,900,0\r\n",
                                     testa + "1" + titoli + "1,500,200,trenta,10,900,0\r\n", testa + "70000" + titoli,
                                     testa + "-3" + titoli}) {
        apri(guasto);
        ASSERT_EQ(b.messaggi.mostrati.size(), 1u) << guasto.constData();
        EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("mnuFileSalva_dati: ")) << guasto.constData();
        EXPECT_EQ(b.prova.salti(), prima);
        EXPECT_EQ(b.sessione.nome_utente, "Ilvor Darsena");
        EXPECT_EQ(b.sessione.macchina_utente, "Spinte Panca");
        EXPECT_EQ(b.osservata.azzeramenti, 0);
        EXPECT_EQ(b.intestazione.aggiornamenti, 0);
    }
    EXPECT_EQ(b.messaggi.mostrati[0].testo, "mnuFileSalva_dati: Indice non compreso nell'intervallo");

    // N = 0: athlete and exercise from the file, empty list, the header refreshed.
    apri(testa + "0" + titoli);
    EXPECT_TRUE(b.messaggi.mostrati.empty());
    EXPECT_EQ(b.prova.numero(), 0);
    EXPECT_EQ(b.sessione.nome_utente, "Luca");
    EXPECT_EQ(b.sessione.macchina_utente, "Squat");
    EXPECT_EQ(b.osservata.azzeramenti, 1);
    EXPECT_TRUE(b.osservata.righe.empty());
    EXPECT_EQ(b.intestazione.aggiornamenti, 1);

    // Three jumps; the third record says 7 and becomes jump 3.
    b.sessione.carico_utente = 72.5f;
    apri(cp1252::codifica(QStringLiteral("HOPA,\"x\",\"Niccolò\",\"Squat\",\"x\",3")) + titoli +
         "1,512,201,12.34,10,900,0\r\n2,498,187,30.4,12,950,0\r\n7,505,190,31,11,920,0\r\n");
    ASSERT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.testi().join("|").toStdString();
    EXPECT_EQ(b.sessione.nome_utente, QStringLiteral("Niccolò"));
    EXPECT_EQ(b.sessione.carico_utente, 72.5f);  // not in the file
    ASSERT_EQ(b.prova.numero(), 3);
    EXPECT_EQ(b.prova.salti()[3].n_rip, 3);
    EXPECT_EQ(b.prova.salti()[3].t_volo, 505);
    ASSERT_EQ(b.osservata.righe.size(), 3u);
    EXPECT_EQ(b.osservata.righe[2].k, 3);
    EXPECT_EQ(b.osservata.righe[0].salto.altezza, 12.34);
    EXPECT_EQ(numeri::formato_0_0(b.osservata.righe[0].salto.altezza, QLocale(QLocale::Italian)), "12,3");
    EXPECT_EQ(b.intestazione.aggiornamenti, 1 + 4);
    // The text file holds no time stamp: the test is dated by the file.
    EXPECT_EQ(b.prova.quando(), QFileInfo(ultimo).lastModified());

    // A file that cannot be opened.
    b.messaggi.mostrati.clear();
    b.dialogo.risposte.push_back(b.percorso(QStringLiteral("non_esiste.csv")));
    b.comandi.apri_file_csv();
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("mnuFileSalva_dati: "));
    EXPECT_EQ(b.prova.numero(), 3);
}

TEST(ComandiFile, LaFinestraDiAvanzamento) {
    QWidget principale;
    Banco b;
    ComandiFile figlio(b.prova, b.sessione, b.intestazione, b.dialogo, b.messaggi, b.fogli, &principale);
    Frm_progress& f = figlio.progresso();
    EXPECT_EQ(&f, &figlio.progresso());  // one window, made on first use
    EXPECT_EQ(f.objectName(), "Frm_progress");
    EXPECT_EQ(f.bar()->objectName(), "bar");
    EXPECT_EQ(f.parentWidget(), &principale);
    EXPECT_EQ(principale.findChild<QProgressBar*>(QStringLiteral("bar")), f.bar());
    EXPECT_FALSE(f.isVisible());
}

// The history opens a listed text file by its path: no dialog, the time it gives.
TEST(ComandiFile, ApreUnFileCsvDalSuoPercorso) {
    Banco b;
    const QString p = b.percorso(QStringLiteral("CMJ.csv"));
    scrivi_file(p, "HOPA,x,Luca,CMJ,x,1\r\nt\r\nu\r\n1,500,200,30,10,900,1\r\n");
    const QDateTime quando(QDate(2024, 3, 11), QTime(9, 0));
    EXPECT_TRUE(b.comandi.apri_file_csv(p, quando));
    EXPECT_TRUE(b.dialogo.visti.empty());
    EXPECT_EQ(b.prova.numero(), 1);
    EXPECT_EQ(b.prova.quando(), quando);
    EXPECT_EQ(b.sessione.macchina_utente, "CMJ");
    EXPECT_TRUE(b.comandi.apri_file_csv(p));
    EXPECT_EQ(b.prova.quando(), QFileInfo(p).lastModified());

    scrivi_file(p, "hopa,x,Luca,CMJ,x,0\r\n");
    EXPECT_FALSE(b.comandi.apri_file_csv(p));  // not a test file: silent, the test stays
    EXPECT_EQ(b.prova.numero(), 1);
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

TEST(ComandiFile, UnaImportazioneLentaNonFermaLaFinestra) {
    Banco a;
    a.riempi(5000);
    const QString p = a.percorso(QStringLiteral("grande.xlsx"));
    ASSERT_TRUE(a.comandi.Salva_File_Dati_Excel(p));

    Banco b;
    b.fogli.ritardo_ms = 800;  // a slow disk: longer than the window may stand still
    // A 10 ms timer stands for the window's life: the gaps between its ticks are
    // how long the window stood still.
    QElapsedTimer orologio;
    std::vector<qint64> istanti;
    int rifiutati = 0;
    QTimer battito;
    battito.setInterval(10);
    QObject::connect(&battito, &QTimer::timeout, [&] {
        istanti.push_back(orologio.elapsed());
        if (istanti.size() != 3) return;
        // A jump from the board during the read reaches the test and is shown.
        b.prova.aggiungi_salto(180);
        b.prova.completa_salto(420);
        // No second command starts while the first reads.
        rifiutati += !b.comandi.apri_file_xls(p) + !b.comandi.apri_file_csv(p);
        b.comandi.mnuFileApri();
        b.comandi.apri_file_csv();
        b.comandi.mnuFileSalva_dati();
        EXPECT_TRUE(b.comandi.importazione_in_corso());
    });
    orologio.start();
    battito.start();
    ASSERT_TRUE(b.comandi.apri_file_xls(p));
    istanti.push_back(orologio.elapsed());
    battito.stop();

    qint64 fermo = istanti.front();
    for (size_t i = 1; i < istanti.size(); ++i) fermo = std::max(fermo, istanti[i] - istanti[i - 1]);
    EXPECT_LT(fermo, 500) << istanti.size() << " ticks";
    EXPECT_GE(istanti.size(), 10u);
    EXPECT_EQ(b.fogli.letture_in_disparte, 1);
    EXPECT_EQ(b.fogli.visibile_durante, std::vector<bool>{true});
    EXPECT_EQ(rifiutati, 2);
    EXPECT_TRUE(b.dialogo.visti.empty());
    EXPECT_TRUE(b.messaggi.mostrati.empty()) << b.messaggi.testi().join("|").toStdString();
    // The jump came first; the test read replaced it once the read was done.
    EXPECT_EQ(b.osservata.completati, std::vector<int32_t>{1});
    EXPECT_EQ(b.prova.salti(), a.prova.salti());
    EXPECT_FALSE(b.comandi.importazione_in_corso());
    EXPECT_FALSE(b.comandi.progresso().isVisible());
    EXPECT_EQ(b.comandi.progresso().bar()->maximum(), a.prova.numero());
    EXPECT_EQ(b.comandi.progresso().bar()->value(), a.prova.numero());
}

TEST(ComandiFile, UnaLetturaCheNonFinisceHaUnaScadenza) {
    Banco b;
    b.riempi(2);
    const Salti prima = b.prova.salti();
    const QString p = dati + QStringLiteral("/prova_libreoffice.xlsx");
    b.comandi.scadenza_lettura_ms = 300;
    b.fogli.trattieni = true;  // a network disk that stopped answering
    QElapsedTimer t;
    t.start();
    EXPECT_FALSE(b.comandi.apri_file_xls(p));
    EXPECT_GE(t.elapsed(), 300);
    EXPECT_LT(t.elapsed(), 5000);
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_EQ(b.messaggi.mostrati[0].testo,
              "apri_file_xls: la lettura del file non è finita entro 0.3 s (disco o rete che non rispondono): la prova "
              "è rimasta com'era. Controllare il disco o la rete e riprovare.");
    EXPECT_EQ(b.prova.salti(), prima);
    EXPECT_FALSE(b.comandi.importazione_in_corso());
    EXPECT_FALSE(b.comandi.progresso().isVisible());

    // Let go, the read ends on its own and what it read is dropped.
    b.fogli.trattieni = false;
    ASSERT_TRUE(attendi([&] { return b.fogli.in_lettura == 0; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(b.prova.salti(), prima);
    // The next import runs as usual.
    EXPECT_TRUE(b.comandi.apri_file_xls(p));
    EXPECT_EQ(b.prova.numero(), 3);
}

TEST(ComandiFile, UnPercorsoCheNonEUnFileERifiutatoSubito) {
    Banco b;
    b.riempi(2);
    const Salti prima = b.prova.salti();
    struct Caso {
        QString percorso, che_cosa;
    };
    std::vector<Caso> casi = {{b.dir.path(), QStringLiteral("una cartella")}};
#ifdef Q_OS_UNIX
    const QString fifo = b.percorso(QStringLiteral("tubo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    casi.push_back({fifo, QStringLiteral("una pipe con nome (FIFO)")});
    casi.push_back({QStringLiteral("/dev/null"), QStringLiteral("un dispositivo")});
    // A reader stuck opening the FIFO is let go after 5 s: a fault fails the test
    // rather than hanging it.
    std::atomic<bool> finito{false};
    std::thread liberatore([&] {
        for (int i = 0; !finito; ++i) {
            if (i >= 500) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
#endif
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.percorso.toStdString());
        const QString perche = QDir::toNativeSeparators(c.percorso) + QStringLiteral(" non è un file ma ") + c.che_cosa +
                               QStringLiteral(": non può essere aperto come prova. Scegliere un file di prova salvato su disco.");
        b.messaggi.mostrati.clear();
        b.dialogo.risposte = {c.percorso, c.percorso};
        QElapsedTimer t;
        t.start();
        b.comandi.mnuFileApri();
        b.comandi.apri_file_csv();
        EXPECT_LT(t.elapsed(), 2000);
        EXPECT_EQ(b.messaggi.testi(), QStringList({QStringLiteral("apri_file_xls: ") + perche,
                                                   QStringLiteral("mnuFileSalva_dati: ") + perche}));
        EXPECT_EQ(b.prova.salti(), prima);
        EXPECT_EQ(b.osservata.azzeramenti, 0);
    }
#ifdef Q_OS_UNIX
    finito = true;
    liberatore.join();
#endif
}
