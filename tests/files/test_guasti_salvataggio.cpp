// Saves that meet a full disk or a killed process: the user is told, and the file
// under the chosen name is always either the one that was there before or a
// complete workbook, never a partial one.
#include "core/metriche.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "files/comandi_file.h"
#include "files/foglio_prova.h"
#include "files/frm_progress.h"
#include "platform/errori_file.h"
#include "adapters/workbook/fogli_file.h"
#include "support/file_prova.h"
#include "support/finti.h"
#include "support/prova_osservata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

void riempi(ModelloProva& prova, int n) {
    prova.azzera();
    for (int k = 1; k <= n; ++k) {
        prova.aggiungi_salto(150 + (k * 37) % 200);
        prova.completa_salto(300 + (k * 53) % 300);
    }
}

struct Banco {
    ModelloProva prova;
    SessioneAtleta sessione;
    ProvaOsservata osservata{prova};
    VistaIntestazioneFinta intestazione;
    DialogoFileFinto dialogo;
    MessaggiFinti messaggi;
    FogliDiCalcoloFile fogli;
    ComandiFile comandi{prova, sessione, intestazione, dialogo, messaggi, fogli};
    QTemporaryDir dir;
};

// The jumps of the workbook at `p`, or -1 when it cannot be read as a test.
int salti_nel_file(const QString& p) {
    FogliDiCalcoloFile fogli;
    QString errore;
    auto c = fogli.apri(p, &errore);
    if (!c) return -1;
    const EsitoLettura e = leggi_prova_foglio(c->foglio_attivo(), {});
    return e.tipo == EsitoLettura::Tipo::Letta ? static_cast<int>(e.prova.salti.size()) : -1;
}

#ifdef Q_OS_UNIX
// A disk that fills up after `byte` more bytes of any one file: writes past it fail
// as on a full disk (the signal that would end the process is ignored meanwhile).
class DiscoPieno {
public:
    explicit DiscoPieno(rlim_t byte) {
        getrlimit(RLIMIT_FSIZE, &prima_);
        segnale_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = prima_;
        r.rlim_cur = byte;
        ok = setrlimit(RLIMIT_FSIZE, &r) == 0;
    }
    ~DiscoPieno() {
        setrlimit(RLIMIT_FSIZE, &prima_);
        std::signal(SIGXFSZ, segnale_);
    }
    bool ok = false;

private:
    rlimit prima_{};
    void (*segnale_)(int) = nullptr;
};
#endif

}  // namespace

#ifdef Q_OS_UNIX
TEST(GuastiSalvataggio, DiscoPienoDaIlMessaggioELasciaIlFileDiPrima) {
    Banco b;
    const QString p = b.dir.filePath(QStringLiteral("prova.xlsx"));
    riempi(b.prova, 3);
    ASSERT_TRUE(b.comandi.Salva_File_Dati_Excel(p));
    const QByteArray di_prima = contenuto(p);
    ASSERT_GT(di_prima.size(), 0);
    ASSERT_LT(di_prima.size(), 32 * 1024);

    riempi(b.prova, 20000);  // a workbook far larger than what is left on the disk
    {
        DiscoPieno disco(32 * 1024);
        ASSERT_TRUE(disco.ok);
        EXPECT_FALSE(b.comandi.Salva_File_Dati_Excel(p));
    }
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    const QString testo = b.messaggi.mostrati[0].testo;
    EXPECT_TRUE(testo.startsWith("Salva_File_Dati_Excel: ")) << testo.toStdString();
    EXPECT_GT(testo.size(), QString("Salva_File_Dati_Excel: ").size()) << "the reason is given";
    EXPECT_EQ(b.messaggi.mostrati[0].titolo, "Hopa");
    EXPECT_FALSE(b.comandi.progresso().isVisible());
    EXPECT_EQ(contenuto(p), di_prima);
    EXPECT_EQ(QDir(b.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"prova.xlsx"})
        << "nothing half-written left beside it";
    EXPECT_EQ(b.prova.numero(), 20000) << "the test in memory is kept";

    // Room again: the same test is saved whole.
    EXPECT_TRUE(b.comandi.Salva_File_Dati_Excel(p));
    EXPECT_EQ(salti_nel_file(p), 20000);
}
#endif

#ifdef Q_OS_UNIX
// The disk that fills up part way through a write cuts it short without Qt
// recording an error ("Unknown error"): the description says what happened.
TEST(GuastiSalvataggio, UnaScritturaTroncataDalDiscoPienoSiSpiegaInItaliano) {
    QTemporaryDir dir;
    QSaveFile f(dir.filePath(QStringLiteral("prova.xlsx")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    qint64 scritti = 0;
    {
        DiscoPieno disco(32 * 1024);
        ASSERT_TRUE(disco.ok);
        scritti = f.write(QByteArray(64 * 1024, 'x'));
    }
    ASSERT_LT(scritti, 64 * 1024);
    const QString descrizione = errori_file::descrizione(f);
    f.cancelWriting();
    EXPECT_TRUE(descrizione.contains("disco pieno")) << descrizione.toStdString();
}
#endif

TEST(GuastiSalvataggio, UnaCartellaCheEUnFileDaIlMessaggio) {
    // Permission bits do not stop root; a plain file where the folder should be does.
    Banco b;
    const QString finta = b.dir.filePath(QStringLiteral("cartella"));
    QFile f(finta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("non una cartella");
    f.close();
    riempi(b.prova, 2);
    EXPECT_FALSE(b.comandi.Salva_File_Dati_Excel(finta + QStringLiteral("/prova.xlsx")));
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.mostrati[0].testo.startsWith("Salva_File_Dati_Excel: "));
    EXPECT_EQ(b.messaggi.mostrati[0].testo, "Salva_File_Dati_Excel: una parte del percorso non è una cartella");
    EXPECT_EQ(contenuto(finta), "non una cartella");
}

// A saving process killed at random moments: under the chosen name there is
// either nothing (or the earlier complete file) or a complete workbook, and the
// temporary folder holds nothing it left.
TEST(GuastiSalvataggio, UnProcessoUccisoDuranteIlSalvataggioNonLasciaMezziFile) {
    const QString programma = QStringLiteral(HOPA_BINARI "/sim/salva-prova/salva-prova");
    ASSERT_TRUE(QFileInfo(programma).isExecutable()) << "build the salva-prova program first";
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("prova.xlsx"));
    // The saves get a temporary folder of their own, to see what a killed one
    // leaves there (TMPDIR on Unix, TMP and TEMP on Windows).
    QTemporaryDir temporanea;
    ASSERT_TRUE(temporanea.isValid());
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* nome : {"TMPDIR", "TMP", "TEMP"}) ambiente.insert(QString::fromLatin1(nome), temporanea.path());

    // How long a save takes here, so that the kills land before, during and after
    // saves. The test is sized so that one save lasts about a quarter of a second:
    // long enough to be killed half-way, short enough in a slow (sanitized) build.
    auto salva_una_volta = [&](int salti) {
        QElapsedTimer t;
        t.start();
        QProcess uno;
        uno.setProcessEnvironment(ambiente);
        uno.start(programma, {p, QString::number(salti), "1"});
        EXPECT_TRUE(uno.waitForFinished(60000));
        EXPECT_EQ(uno.exitCode(), 0) << uno.readAllStandardError().toStdString();
        return std::max<int>(20, static_cast<int>(t.elapsed()));
    };
    constexpr int prova_breve = 2000;
    const int n = std::clamp(prova_breve * 250 / salva_una_volta(prova_breve), prova_breve, 20000);
    const int durata = salva_una_volta(n);
    ASSERT_EQ(salti_nel_file(p), n);
    QFile::remove(p);

    QRandomGenerator caso(20261208);
    int completi = 0, assenti = 0;
    for (int giro = 0; giro < 12; ++giro) {
        QProcess salva;
        salva.setProcessEnvironment(ambiente);
        salva.start(programma, {p, QString::number(n)});
        ASSERT_TRUE(salva.waitForStarted(5000));
        QTest::qWait(static_cast<int>(caso.bounded(3 * durata)));
        salva.kill();
        ASSERT_TRUE(salva.waitForFinished(5000));
        if (!QFileInfo::exists(p)) {
            ++assenti;
            continue;
        }
        EXPECT_EQ(salti_nel_file(p), n) << "a partial workbook under the name, round " << giro;
        ++completi;
        if (giro % 2) QFile::remove(p);  // the next kill meets no file, or a complete one
    }
    EXPECT_EQ(completi + assenti, 12);

    // The workbook is built in memory and written beside its name: a killed save
    // leaves nothing in the temporary folder for a later start to clear.
    const QStringList lasciati =
        QDir(temporanea.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    EXPECT_TRUE(lasciati.isEmpty()) << lasciati.join(u' ').toStdString();
}
