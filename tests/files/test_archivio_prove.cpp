// The test archive: its two file forms, the writer behind the model, the
// recovery of a test a dead run left unfinished.
#include "athletes/nomi_cartelle.h"
#include "core/cartelle_programma.h"
#include "core/cp1252.h"
#include "core/metriche.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "files/archivio_prove.h"
#include "files/formato_archivio.h"
#include "files/giornali_prove.h"
#include "files/lettura_csv.h"
#include "files/ripristino_prove.h"
#include "platform/errori_file.h"
#include "support/attesa.h"
#include "support/file_prova.h"
#include "support/finti.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

namespace fa = formato_archivio;

namespace {

TestataArchivio testata(const QByteArray& processo = "altro") {
    return {QStringLiteral("Rossi, \"Mario\" è"), QStringLiteral("Squat/Jump: 1"),
            QDateTime(QDate(2026, 3, 7), QTime(9, 5, 4)), processo};
}

// Values whose shortest text needs every digit, or an exponent.
std::vector<Salto> salti_difficili() {
    return {{1.0 / 3, 0.1 + 0.2, 402, 5e-324, 123456.789012345, 1},
            {std::nextafter(512.0, 1e9), 1e20, 0, -2.5e-7, std::numeric_limits<double>::max(), 2}};
}

}  // namespace

TEST(FormatoArchivio, IlFileDiProvaSiRileggeBitPerBitConIlLettoreCsv) {
    const auto salti = salti_difficili();
    const QByteArray csv = fa::testo_csv(testata(), salti);
    const EsitoLettura e = leggi_prova_csv(cp1252::decodifica(csv));
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_EQ(e.prova.nome_utente, "Rossi, 'Mario' è");  // a quote cannot stand inside a field
    EXPECT_EQ(e.prova.macchina_utente, "Squat/Jump: 1");
    ASSERT_EQ(e.prova.salti, salti);
    EXPECT_TRUE(csv.endsWith("\r\n"));
    // The name is safe on every system.
    EXPECT_EQ(fa::nome_file(QStringLiteral("Squat/Jump: 1"), testata().quando), "Squat_Jump_ 1_2026-03-07_09-05-04");
}

TEST(FormatoArchivio, IlNomeDelFileSiRileggeSoloNellaSuaForma) {
    const auto letto = fa::leggi_nome_file(fa::nome_file(QStringLiteral("Drop_Jump 40"), testata().quando));
    ASSERT_TRUE(letto);
    EXPECT_EQ(letto->esercizio, "Drop_Jump 40");
    EXPECT_EQ(letto->quando, testata().quando);
    EXPECT_EQ(fa::leggi_nome_file(QStringLiteral("_2026-03-07_09-05-04"))->esercizio, "");
    for (const char* altro : {"2026-03-07_09-05-04", "CMJ-2026-03-07_09-05-04", "CMJ_2026-03-07 09-05-04",
                              "CMJ_2026-3-07_09-05-044", "CMJ_2026-02-30_09-05-04", "CMJ_2026-03-07_09-05-04.csv"})
        EXPECT_FALSE(fa::leggi_nome_file(QString::fromLatin1(altro))) << altro;
    // An exercise name too long for a file name is cut, never inside a character.
    const QString lungo = QString(200, u'è') + QStringLiteral("\U0001F3C3");
    const QString nome = fa::nome_file(lungo, testata().quando);
    EXPECT_LE(nomi_cartelle::lunghezza_su_disco(nome + ".giornale.0123abcd.tmp"), nomi_cartelle::componente_massimo);
    const auto corto = fa::leggi_nome_file(nome);
    ASSERT_TRUE(corto);
    EXPECT_TRUE(lungo.startsWith(corto->esercizio));
    EXPECT_GE(corto->esercizio.size(), 90);
    EXPECT_EQ(nomi_cartelle::accorcia(QStringLiteral("a\U0001F3C3"), 4), "a");
}

TEST(FormatoArchivio, IlGiornaleRiproduceSaltiEdEliminazioniESaltaLUltimaRigaMonca) {
    const auto salti = salti_difficili();
    QByteArray g = fa::giornale(testata(), salti);
    Salto terzo{600, 44.1, 180, 10.5, 900.25, 3};
    g += fa::riga_salto(3, terzo) + fa::riga_eliminazione(1);
    const QByteArray completo = g;
    g += fa::riga_salto(3, terzo).left(20);  // the program died in the middle of a write
    QString errore;
    auto letto = fa::leggi_giornale(g, &errore);
    ASSERT_TRUE(letto) << errore.toStdString();
    EXPECT_EQ(letto->testata.atleta, testata().atleta);
    EXPECT_EQ(letto->testata.quando, testata().quando);
    EXPECT_EQ(letto->testata.processo, "altro");
    EXPECT_EQ(letto->salti, (std::vector<Salto>{salti[1], terzo}));

    // A complete line changed by hand is damage, so is a jump out of its place.
    QByteArray mano = completo;
    mano.replace(mano.indexOf("S,2,") + 4, 1, "7");
    EXPECT_FALSE(fa::leggi_giornale(mano, &errore));
    EXPECT_EQ(errore, "riga 4 illeggibile");
    EXPECT_FALSE(fa::leggi_giornale(fa::inizio_giornale(testata()) + fa::riga_salto(2, terzo), &errore));
    EXPECT_FALSE(fa::leggi_giornale("HOPA,\"x\"\n", &errore));
}

namespace {

// A model with the archive listening, in a program folder of its own.
struct BancoArchivio {
    QTemporaryDir dir;
    ModelloProva prova;
    SessioneAtleta sessione;
    CartelleProgramma cartelle{dir.path()};
    MessaggiFinti messaggi;
    std::unique_ptr<ArchivioProve> archivio;
    BancoArchivio() {
        sessione.cartella_utente = dir.filePath("Squadra/Atleta");
        archivio = std::make_unique<ArchivioProve>(prova, sessione, cartelle, messaggi);
    }
    void salta(int n) {
        for (int i = 0; i < n; ++i) {
            prova.aggiungi_salto(150 + 7 * prova.numero());
            prova.completa_salto(400 + 3 * prova.numero());
        }
    }
    QString prove() const { return dir.filePath("Squadra/Atleta/prove"); }
    QStringList file(const QString& filtro) const { return QDir(prove()).entryList({filtro}, QDir::Files); }
    std::vector<Salto> nel_giornale() const {
        const QStringList g = file("*.giornale");
        if (g.size() != 1) return {};
        auto l = fa::leggi_giornale(contenuto(QDir(prove()).filePath(g[0])), nullptr);
        return l ? l->salti : std::vector<Salto>{};
    }
    // The journal holds the whole test and is open (its record entry comes last).
    bool aperto() const {
        return nel_giornale() == modello() && giornali_prove::leggi_registro(archivio->registro()).size() == 1;
    }
    std::vector<Salto> modello() const {
        const auto& e = prova.salti().elementi();
        return {e.begin() + 1, e.end()};
    }
};

}  // namespace

TEST(ArchivioProve, OgniSaltoNelGiornaleEAFineProvaIlFileCsv) {
    BancoArchivio b;
    b.prova.azzera();
    b.archivio->acquisizione(true);
    ASSERT_TRUE(attendi([&] { return b.file("*.giornale").size() == 1; }));  // made before the first jump
    EXPECT_TRUE(attendi([&] { return giornali_prove::leggi_registro(b.archivio->registro()).size() == 1; }));
    b.salta(5);
    ASSERT_TRUE(b.prova.elimina(2));  // the Delete key
    ASSERT_TRUE(attendi([&] { return b.nel_giornale() == b.modello(); }));

    // Off: the journal becomes the text file of the test, named after exercise and time.
    const QString csv = QDir(b.prove()).filePath(fa::nome_file(b.sessione.macchina_utente, b.prova.quando()) + ".csv");
    const auto nel_csv = [&] {
        auto e = leggi_file_csv(csv);  // n_rip read back as the place in the file
        if (e.prova.salti.size() == size_t(b.prova.numero()))
            for (size_t i = 0; i < e.prova.salti.size(); ++i) e.prova.salti[i].n_rip = b.prova.salti()[int32_t(i) + 1].n_rip;
        return e.prova.salti;
    };
    b.archivio->acquisizione(false);
    ASSERT_TRUE(attendi([&] { return b.file("*.giornale").isEmpty() && nel_csv() == b.modello(); }));
    EXPECT_TRUE(attendi([&] { return giornali_prove::leggi_registro(b.archivio->registro()).isEmpty(); }));
    // A deletion after the end rewrites the file.
    ASSERT_TRUE(b.prova.elimina(1));
    ASSERT_TRUE(attendi([&] { return nel_csv() == b.modello(); }));
    // A jump after the end (a HID board keeps sending) opens the whole test again.
    b.salta(1);
    ASSERT_TRUE(attendi([&] { return b.nel_giornale() == b.modello(); }));
    EXPECT_EQ(b.prova.numero(), 4);
    b.archivio->chiudi();
    EXPECT_TRUE(b.file("*.giornale").isEmpty());
    EXPECT_EQ(nel_csv(), b.modello());
    EXPECT_EQ(b.file("*").size(), 1);
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

TEST(ArchivioProve, UnaCartellaCheNonSiPuoScrivereUnSoloMessaggioEPoiSiRiprova) {
    BancoArchivio b;
    // The athlete folder cannot be made: a file stands where its team folder would.
    ASSERT_TRUE(scrivi_file(b.dir.filePath("Squadra"), "un file"));
    b.prova.azzera();
    b.archivio->acquisizione(true);
    b.salta(6);
    ASSERT_TRUE(attendi([&] { return !b.messaggi.mostrati.empty(); }));
    attendi([] { return false; }, 200);
    ASSERT_EQ(b.messaggi.mostrati.size(), 1u);
    EXPECT_TRUE(b.messaggi.testi()[0].startsWith("Impossibile scrivere l'archivio della prova nella cartella"));
    EXPECT_TRUE(b.messaggi.testi()[0].contains(QDir::toNativeSeparators(b.prove())));
    // Said in the words every other file operation uses.
    EXPECT_TRUE(b.messaggi.testi()[0].contains("(" + errori_file::descrizione(ENOTDIR) + ")"))
        << b.messaggi.testi()[0].toStdString();
    EXPECT_EQ(b.prova.numero(), 6);  // the test goes on

    // The folder can be made again: the next jump writes the whole test.
    QFile::remove(b.dir.filePath("Squadra"));
    b.salta(1);
    ASSERT_TRUE(attendi([&] { return b.aperto(); }));
    // The folder removed while the test runs is made again; when it cannot be, that is said once more.
    QDir(b.dir.filePath("Squadra")).removeRecursively();
    b.salta(1);
    ASSERT_TRUE(attendi([&] { return b.aperto(); }));
    QDir(b.dir.filePath("Squadra")).removeRecursively();
    ASSERT_TRUE(scrivi_file(b.dir.filePath("Squadra"), "un file"));
    b.salta(1);
    ASSERT_TRUE(attendi([&] { return b.messaggi.mostrati.size() == 2u; })) << b.messaggi.testi().join('|').toStdString();
    QFile::remove(b.dir.filePath("Squadra"));
    b.salta(1);
    ASSERT_TRUE(attendi([&] { return b.aperto(); }));
    EXPECT_EQ(b.prova.numero(), 10);
    EXPECT_EQ(b.messaggi.mostrati.size(), 2u);
}

namespace {
struct BancoRipristino {
    QTemporaryDir dir;
    MessaggiFinti messaggi;
    DomandeFinte domande;
    int spenta = 0;
    QStringList aperti;
    ServiziRipristino servizi{messaggi, domande, [this] { ++spenta; }, [this](const QString& c) {
                                  aperti << c;
                                  return true;
                              }};
    QString registro() const { return giornali_prove::file_registro(dir.path()); }
    QString prove() const { return dir.filePath("prove"); }
    QString metti(const QByteArray& testo, const QString& nome = "Squat_2026-03-07_09-05-04") {
        const QString g = QDir(prove()).filePath(nome + giornali_prove::estensione_giornale);
        scrivi_file(g, testo);
        return g;
    }
    void esegui() { ripristina_prove_interrotte(registro(), {prove()}, "questo", servizi); }
    qsizetype file_csv() const { return QDir(prove()).entryList({"*.csv"}, QDir::Files).size(); }
};
}  // namespace

TEST(RipristinoProve, RipristinaChiedeSpegneCompletaECaricaIgnoraCompletaSoltanto) {
    BancoRipristino b;
    const QString g = b.metti(fa::giornale(testata(), salti_difficili()));
    b.domande.risposte = {0};
    b.esegui();
    ASSERT_EQ(b.domande.poste.size(), 1u);
    const auto& d = b.domande.poste[0];
    EXPECT_EQ(d.titolo, "Hopa");
    EXPECT_EQ(d.pulsanti, (QStringList{"Ripristina", "Ignora"}));
    EXPECT_TRUE(d.testo.startsWith("È stata trovata una prova interrotta:\n"));
    for (const char* parte : {"Rossi, \"Mario\" è", "Squat/Jump: 1", "Salti: 2", "07/03/2026 09:05:04"})
        EXPECT_TRUE(d.testo.contains(QString::fromUtf8(parte))) << parte;
    EXPECT_EQ(b.spenta, 1);
    const QString csv = giornali_prove::csv_di(g);
    EXPECT_EQ(b.aperti, QStringList{csv});
    EXPECT_FALSE(QFileInfo::exists(g));
    EXPECT_EQ(leggi_file_csv(csv).prova.salti, salti_difficili());

    // "Ignora": the file is finished all the same, nothing is loaded.
    const QString h = b.metti(fa::giornale(testata(), salti_difficili()), "Altro");
    b.esegui();
    EXPECT_EQ(b.domande.poste.size(), 2u);
    EXPECT_EQ(b.aperti.size(), 1);
    EXPECT_EQ(b.spenta, 1);
    EXPECT_TRUE(QFileInfo::exists(giornali_prove::csv_di(h)));
    EXPECT_TRUE(b.messaggi.mostrati.empty());
}

TEST(RipristinoProve, UnGiornaleDanneggiatoRestaComEEQuelloDiQuestoProgrammaNonSiTocca) {
    BancoRipristino b;
    QByteArray rotto = fa::giornale(testata(), salti_difficili());
    rotto[rotto.size() - 10] = 'x';
    const QString g = b.metti(rotto);
    const QString proprio = b.metti(fa::giornale(testata("questo"), salti_difficili()), "Proprio");
    // Listed in the record although it lies elsewhere: found all the same.
    QTemporaryDir altrove;
    const QString lontano = QDir(altrove.path()).filePath("x.giornale");
    scrivi_file(lontano, rotto);
    giornali_prove::aggiungi_al_registro(b.registro(), lontano);
    b.esegui();
    EXPECT_TRUE(b.domande.poste.empty());
    ASSERT_EQ(b.messaggi.mostrati.size(), 2u);
    EXPECT_TRUE(b.messaggi.testi()[0].contains("danneggiato"));
    EXPECT_EQ(contenuto(g), rotto);
    EXPECT_EQ(contenuto(lontano), rotto);
    EXPECT_TRUE(QFileInfo::exists(proprio));
    EXPECT_EQ(b.file_csv(), 0);
}
