// The athlete's history without a window: what is listed, what each file gives,
// the cache, reading off the user-interface thread, and the bad cases.
#include "cartella_atleta.h"

#include "history/cache_storico.h"
#include "history/colonne_storico.h"
#include "history/lettura_storico.h"
#include "history/storico_atleta.h"
#include "support/file_prova.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSemaphore>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>

namespace {

const QDateTime lunedi(QDate(2024, 3, 11), QTime(9, 0, 0));

bool attendi(const std::function<bool()>& fatto, int ms = 10000) { return QTest::qWaitFor(fatto, ms); }

// The real reading of test files, counted.
struct Letture {
    FogliDiCalcoloFile fogli;
    std::atomic<int> n{0};
    QStringList nomi;  // touched only after the reading ended
    LettoreStorico::Leggi leggi() {
        return [this](const FileProva& f) {
            ++n;
            return lettura_storico::leggi(f, fogli);
        };
    }
};

const ProvaStorico* riga(const StoricoAtleta& s, const QString& nome) {
    for (const ProvaStorico& p : s.prove())
        if (p.file.nome == nome) return &p;
    return nullptr;
}

// Lists and waits for every file to be read.
void elenca(StoricoAtleta& s, const QString& cartella) {
    s.aggiorna(cartella);
    ASSERT_TRUE(attendi([&] { return !s.in_lettura(); }));
}

}  // namespace

TEST(StoricoAtleta, ElencaProveCartelleDiLavoroEFileDiAltroTipo) {
    CartellaAtleta a;
    const QString cmj = a.archivio(QStringLiteral("CMJ"), lunedi, {30, 34, 32});
    const QString sj = a.archivio(QStringLiteral("Squat Jump"), lunedi.addDays(2), {28, 27});
    const QString foglio = a.cartella(QStringLiteral("Salvata.xlsx"), QStringLiteral("CMJ"), lunedi.addDays(7), {35, 33, 36, 31});
    ASSERT_TRUE(QFile::copy(QStringLiteral(HOPA_DATI_TEST "/prova_libreoffice.xls"), a.file(QStringLiteral("VECCHIA.XLS"))));
    // Not tests: damaged, another program's, a journal still being written, a non-workbook.
    scrivi_file(a.file(QStringLiteral("prove/CMJ_2024-03-20_10-00-00.csv")), testo_prova("Anna", "CMJ", salti_con({30, 31})).left(90));
    scrivi_file(a.file(QStringLiteral("estranea.csv")), "Data;Peso\r\n2024-01-01;70\r\n");
    scrivi_file(a.file(QStringLiteral("prove/giornale.xlsx")), "salto 1 ...");
    // Never listed: the athlete file, other kinds, hidden files, deeper folders.
    scrivi_file(a.file(QStringLiteral("Anna.cfg")), "hopa_cfg\r\n");
    scrivi_file(a.file(QStringLiteral("note.txt")), "x");
    scrivi_file(a.file(QStringLiteral(".nascosta.csv")), "x");
    scrivi_file(a.file(QStringLiteral("prove/vecchie/altra.csv")), testo_prova("Anna", "CMJ", salti_con({20})));

    Letture l;
    StoricoAtleta s(l.leggi(), {});
    elenca(s, a.percorso());
    EXPECT_EQ(s.stato(), StoricoAtleta::Stato::Elencata);
    ASSERT_EQ(s.prove().size(), 7u);
    EXPECT_EQ(l.n, 7);

    // Every figure is the report's, from the same jumps.
    const ProvaStorico* p = riga(s, cmj);
    ASSERT_NE(p, nullptr);
    ASSERT_TRUE(p->letta());
    Salti salti;
    salti.sostituisci(salti_con({30, 34, 32}));
    const auto f = figure_prova::calcola(salti);
    EXPECT_EQ(p->esercizio, "CMJ");
    EXPECT_EQ(p->atleta, "Anna");
    EXPECT_EQ(p->quando, lunedi);  // from the archive's file name
    EXPECT_EQ(colonne_storico::testo(*p, colonne_storico::Salti, QLocale::c()), "3");
    EXPECT_EQ(colonne_storico::valore(*p, colonne_storico::AltezzaMedia), ValoreCella(double(f.medie[2])));
    EXPECT_EQ(colonne_storico::valore(*p, colonne_storico::AltezzaMigliore), ValoreCella(34.0));
    EXPECT_EQ(colonne_storico::valore(*p, colonne_storico::ContattoMedio), ValoreCella(210.0));
    EXPECT_EQ(colonne_storico::valore(*p, colonne_storico::PotenzaMedia), ValoreCella(double(f.medie[5])));
    EXPECT_EQ(colonne_storico::valore(*p, colonne_storico::IndiceReattivo), ValoreCella(*f.indice_reattivo_medio));
    EXPECT_EQ(colonne_storico::valore(*p, colonne_storico::DecrementoAltezza), ValoreCella(double(f.decrementi[2])));

    // A workbook's date is its column A; a legacy .xls is read as well.
    EXPECT_EQ(riga(s, foglio)->quando, lunedi.addDays(7));
    ASSERT_NE(riga(s, "VECCHIA.XLS"), nullptr);
    EXPECT_TRUE(riga(s, "VECCHIA.XLS")->letta());
    EXPECT_EQ(riga(s, "VECCHIA.XLS")->esercizio, "Squat Jump");
    EXPECT_EQ(riga(s, "VECCHIA.XLS")->quando, QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)));

    // The bad files are listed, with the reason, and their name's exercise and date when they have them.
    const ProvaStorico* rotta = riga(s, "prove/CMJ_2024-03-20_10-00-00.csv");
    ASSERT_NE(rotta, nullptr);
    EXPECT_EQ(rotta->stato, ProvaStorico::Stato::Danneggiata);
    EXPECT_EQ(rotta->motivo, "file di testo illeggibile: Input oltre la fine del file");
    EXPECT_EQ(rotta->esercizio, "CMJ");
    EXPECT_EQ(rotta->quando, QDateTime(QDate(2024, 3, 20), QTime(10, 0)));
    EXPECT_EQ(riga(s, "estranea.csv")->motivo, "non è il file di una prova (non comincia con \"HOPA\")");
    EXPECT_EQ(riga(s, "prove/giornale.xlsx")->motivo, "cartella di lavoro illeggibile: formato del file non riconosciuto");
    EXPECT_EQ(colonne_storico::testo(*riga(s, "estranea.csv"), colonne_storico::AltezzaMedia), QString());

    // Newest first.
    QStringList ordine;
    for (int i : colonne_storico::righe(s.prove(), {}, colonne_storico::Data, Qt::DescendingOrder))
        ordine << s.prove()[static_cast<size_t>(i)].file.nome;
    EXPECT_EQ(ordine.mid(2), (QStringList{"prove/CMJ_2024-03-20_10-00-00.csv", foglio, "VECCHIA.XLS", sj, cmj}));
}

TEST(StoricoAtleta, DataDalNomeDelFile) {
    const auto a = file_prova::dati_dal_nome(QStringLiteral("prove/Drop_Jump_40_2024-03-15_09-05-07.csv"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->esercizio, "Drop_Jump_40");
    EXPECT_EQ(a->quando, QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)));
    const auto b = file_prova::dati_dal_nome(QStringLiteral("CMJ_ 2024 03 15 09 05 07.xlsx"));
    ASSERT_TRUE(b);
    EXPECT_EQ(b->esercizio, "CMJ");
    EXPECT_EQ(b->quando, QDateTime(QDate(2024, 3, 15), QTime(9, 5, 7)));
    EXPECT_FALSE(file_prova::dati_dal_nome(QStringLiteral("CMJ_2024-02-30_09-05-07.csv")));  // no such day
    EXPECT_FALSE(file_prova::dati_dal_nome(QStringLiteral("prova del lunedì.xlsx")));
    EXPECT_FALSE(file_prova::dati_dal_nome(QStringLiteral("CMJ_2024-03-15.csv")));
}

TEST(StoricoAtleta, UnFileDiTestoDallEstensione) {
    EXPECT_TRUE(file_prova::estensione_csv(QStringLiteral("prove/CMJ.CSV")));
    EXPECT_FALSE(file_prova::estensione_csv(QStringLiteral("prove.csv/CMJ.xlsx")));
    EXPECT_FALSE(file_prova::estensione_csv(QStringLiteral("CMJ.csv.bak")));
}

TEST(StoricoAtleta, LaCacheRisparmiaLeLettureMaIFileRestanoLaVerita) {
    CartellaAtleta a;
    QTemporaryDir cache;
    const QString uno = a.archivio(QStringLiteral("CMJ"), lunedi, {30, 34, 32});
    const QString due = a.archivio(QStringLiteral("CMJ"), lunedi.addDays(1), {31, 33});
    const QString tre = a.archivio(QStringLiteral("CMJ"), lunedi.addDays(2), {29});
    scrivi_file(a.file(QStringLiteral("estranea.csv")), "altro");
    {
        Letture l;
        StoricoAtleta s(l.leggi(), cache.path());
        elenca(s, a.percorso());
        EXPECT_EQ(l.n, 4);
        EXPECT_TRUE(s.errore_cache().isEmpty());
    }
    const QString file_cache = cache_storico::file_per(cache.path(), a.percorso());
    ASSERT_TRUE(QFileInfo::exists(file_cache));

    // A new window: only the damaged file is read again (it may have been a test being written).
    Letture l;
    StoricoAtleta s(l.leggi(), cache.path());
    elenca(s, a.percorso());
    EXPECT_EQ(l.n, 1);
    ASSERT_EQ(s.prove().size(), 4u);
    EXPECT_EQ(colonne_storico::valore(*riga(s, uno), colonne_storico::AltezzaMigliore), ValoreCella(34.0));
    EXPECT_EQ(riga(s, uno)->file.percorso, a.file(uno));

    // A file rewritten (another size), one removed, one added: read or dropped as they are now.
    scrivi_file(a.file(due), testo_prova("Anna", "CMJ", salti_con({40, 41, 42, 43})));
    QFile::remove(a.file(tre));
    const QString quattro = a.archivio(QStringLiteral("SJ"), lunedi.addDays(3), {25});
    l.n = 0;
    elenca(s, a.percorso());
    EXPECT_EQ(l.n, 3);  // due, quattro, estranea
    EXPECT_EQ(riga(s, tre), nullptr);
    EXPECT_EQ(colonne_storico::valore(*riga(s, due), colonne_storico::AltezzaMigliore), ValoreCella(43.0));
    ASSERT_NE(riga(s, quattro), nullptr);

    // The cache written again holds the tests as they are now.
    std::vector<ProvaStorico> salvate = cache_storico::carica(file_cache);
    QStringList nomi;
    for (const auto& p : salvate) nomi << p.file.nome;
    nomi.sort();
    EXPECT_EQ(nomi, (QStringList{uno, due, quattro}));

    // A file touched but equal in size: its new time has it read again.
    QFile f(a.file(uno));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    f.close();
    l.n = 0;
    StoricoAtleta altra(l.leggi(), cache.path());
    elenca(altra, a.percorso());
    EXPECT_EQ(l.n, 2);  // uno, estranea
}

TEST(StoricoAtleta, UnaCacheRovinataSiIgnora) {
    CartellaAtleta a;
    QTemporaryDir cache;
    a.archivio(QStringLiteral("CMJ"), lunedi, {30, 34, 32});
    a.archivio(QStringLiteral("CMJ"), lunedi.addDays(1), {31, 33});
    {
        Letture l;
        StoricoAtleta s(l.leggi(), cache.path());
        elenca(s, a.percorso());
    }
    const QString file_cache = cache_storico::file_per(cache.path(), a.percorso());
    const QByteArray buona = contenuto(file_cache);
    ASSERT_FALSE(buona.isEmpty());
    QByteArray contata = buona;
    contata[8] = '\x7f';  // a count of tests the file does not hold
    for (const QByteArray& rovinata : {buona.left(buona.size() - 3), buona + "x", QByteArray("HOST"), contata,
                                       QByteArray(4096, '\xff')}) {
        ASSERT_TRUE(scrivi_file(file_cache, rovinata));
        EXPECT_TRUE(cache_storico::carica(file_cache).empty());
        Letture l;
        StoricoAtleta s(l.leggi(), cache.path());
        elenca(s, a.percorso());
        EXPECT_EQ(l.n, 2);
        EXPECT_EQ(s.prove().size(), 2u);
        EXPECT_TRUE(s.prove()[0].letta() && s.prove()[1].letta());
    }
}

TEST(StoricoAtleta, UnaCacheNonScrivibileNonFermaLoStorico) {
    CartellaAtleta a;
    a.archivio(QStringLiteral("CMJ"), lunedi, {30});
    QTemporaryDir d;
    const QString non_cartella = QDir(d.path()).filePath("file");
    scrivi_file(non_cartella, "x");  // the cache folder would have to be made where a file is
    Letture l;
    StoricoAtleta s(l.leggi(), non_cartella);
    elenca(s, a.percorso());
    ASSERT_EQ(s.prove().size(), 1u);
    EXPECT_TRUE(s.prove()[0].letta());
    EXPECT_FALSE(s.errore_cache().isEmpty());
}

TEST(StoricoAtleta, LaLetturaNonFermaLInterfaccia) {
    CartellaAtleta a;
    for (int i = 0; i < 3; ++i) a.archivio(QStringLiteral("CMJ"), lunedi.addDays(i), {30.0 + i});
    // Each file waits for the test's leave before it is read.
    QSemaphore via;
    FogliDiCalcoloFile fogli;
    StoricoAtleta s(
        [&](const FileProva& f) {
            via.acquire();
            return lettura_storico::leggi(f, fogli);
        },
        {});
    QStringList arrivate;
    QObject::connect(&s, &StoricoAtleta::letta, [&](int i) { arrivate << s.prove()[static_cast<size_t>(i)].file.nome; });

    s.aggiorna(a.percorso());
    // Listed at once, nothing read yet, and the interface's events still run.
    ASSERT_EQ(s.prove().size(), 3u);
    EXPECT_EQ(s.da_leggere(), 3);
    EXPECT_EQ(colonne_storico::testo(s.prove()[0], colonne_storico::Note), "lettura in corso...");
    bool scattato = false;
    QTimer::singleShot(0, [&] { scattato = true; });
    EXPECT_TRUE(attendi([&] { return scattato; }, 2000));
    EXPECT_TRUE(s.in_lettura());

    via.release(1);
    ASSERT_TRUE(attendi([&] { return arrivate.size() == 1; }));
    EXPECT_TRUE(s.in_lettura());
    // A new listing while reading: the old worker stops and nothing it read arrives
    // later; what was read already is kept, the rest is read by the new one.
    via.release(1);
    qsizetype gia_lette = -1;
    QObject::connect(&s, &StoricoAtleta::elencate, [&] {
        arrivate.clear();
        gia_lette = std::count_if(s.prove().begin(), s.prove().end(), [](const ProvaStorico& p) { return p.letta(); });
    });
    via.release(10);
    s.aggiorna(a.percorso());
    ASSERT_TRUE(attendi([&] { return !s.in_lettura(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(s.da_leggere(), 0);
    for (const ProvaStorico& p : s.prove()) EXPECT_TRUE(p.letta()) << qPrintable(p.file.nome);
    EXPECT_GE(gia_lette, 1);
    EXPECT_EQ(gia_lette + arrivate.size(), 3);
}

TEST(StoricoAtleta, NessunAtletaOCartellaMancante) {
    Letture l;
    StoricoAtleta s(l.leggi(), {});
    EXPECT_EQ(s.aggiorna(QString()), StoricoAtleta::Stato::NessunAtleta);
    EXPECT_TRUE(s.prove().empty());
    QTemporaryDir d;
    EXPECT_EQ(s.aggiorna(QDir(d.path()).filePath("Squadra/Anna")), StoricoAtleta::Stato::CartellaMancante);
    EXPECT_TRUE(s.prove().empty());
    EXPECT_EQ(s.aggiorna(d.path()), StoricoAtleta::Stato::Elencata);
    EXPECT_TRUE(s.prove().empty());
    EXPECT_EQ(l.n, 0);
}
