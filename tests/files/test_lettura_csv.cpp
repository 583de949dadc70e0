#include "core/cp1252.h"
#include "files/lettura_csv.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString intestazione = QStringLiteral("HOPA,\"Prova del\",\"Mario Rossi\",Squat Jump,\"salti\",%1\r\n"
                                            "\"N\",\"T volo\",\"T cont\",\"H\",\"Sdown\",\"Pot\",\"x\"\r\n"
                                            "\"\",\"ms\",\"ms\",\"cm\",\"cm\",\"W\",\"\"\r\n");

EsitoLettura leggi(const QString& testo) { return leggi_prova_csv(testo); }

}  // namespace

TEST(LetturaCsv, UnFileConformeDaOgniCampoAlSuoPosto) {
    // Records: number, t_volo, t_contatto, altezza, s_acc, potenza, number.
    auto e = leggi(intestazione.arg(3) +
                   "1,512.5,201,32.177,12.34,1234.5678,0\r\n"
                   "  2 , 498 , 187.25 ,30.4, 0.1 ,-7.25, 9\r\n"
                   "7,\"400\",250,1e-5,.5,3E3,1\r\n");
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_EQ(e.prova.nome_utente, "Mario Rossi");
    EXPECT_EQ(e.prova.macchina_utente, "Squat Jump");
    ASSERT_EQ(e.prova.salti.size(), 3u);
    const Salto& a = e.prova.salti[0];
    EXPECT_EQ(a.t_volo, 512.5);
    EXPECT_EQ(a.t_contatto, 201);
    EXPECT_EQ(a.altezza, 32.177);
    EXPECT_EQ(a.s_acc, 12.34);
    EXPECT_EQ(a.potenza, 1234.5678);
    EXPECT_EQ(e.prova.salti[1].t_contatto, 187.25);
    EXPECT_EQ(e.prova.salti[1].s_acc, 0.1);
    EXPECT_EQ(e.prova.salti[1].potenza, -7.25);
    // The third record says 7: it is still jump 3.
    EXPECT_EQ(e.prova.salti[2].n_rip, 3);
    EXPECT_EQ(e.prova.salti[2].t_volo, 400);
    EXPECT_EQ(e.prova.salti[2].altezza, 1e-5);
    EXPECT_EQ(e.prova.salti[2].s_acc, 0.5);
    EXPECT_EQ(e.prova.salti[2].potenza, 3000);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(e.prova.salti[static_cast<size_t>(k)].n_rip, k + 1);
}

TEST(LetturaCsv, IlMarcatoreDistingueMaiuscole) {
    const QString resto = QStringLiteral(",a,b,c,d,0\r\n\r\n\r\n");
    EXPECT_EQ(leggi("hopa" + resto).tipo, EsitoLettura::Tipo::Ignorata);
    EXPECT_EQ(leggi("HOPA " + resto).tipo, EsitoLettura::Tipo::Letta);  // trailing blank of an unquoted field
    EXPECT_EQ(leggi("\"HOPA\"" + resto).tipo, EsitoLettura::Tipo::Letta);
    EXPECT_EQ(leggi("\"HOPA \"" + resto).tipo, EsitoLettura::Tipo::Ignorata);
    EXPECT_EQ(leggi("ALTRO,HOPA" + resto).tipo, EsitoLettura::Tipo::Ignorata);
}

TEST(LetturaCsv, NZeroDaAtletaEdEsercizioSenzaSalti) {
    auto e = leggi(intestazione.arg(0));
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_TRUE(e.prova.salti.empty());
    EXPECT_EQ(e.prova.nome_utente, "Mario Rossi");
    EXPECT_EQ(e.prova.macchina_utente, "Squat Jump");
}

TEST(LetturaCsv, RigheCorteOLungheSpostanoICampi) {
    // Extra fields after N are swallowed by the first skipped line; the second
    // skips the one title line, and the records follow.
    auto lunga = leggi(
        "HOPA,h,Mario,Squat,h,1,extra,\"altro, ancora\"\r\n"
        "titoli\r\n"
        "1,500,200,30,10,900,0\r\n");
    ASSERT_EQ(lunga.tipo, EsitoLettura::Tipo::Letta) << lunga.errore.toStdString();
    ASSERT_EQ(lunga.prova.salti.size(), 1u);
    EXPECT_EQ(lunga.prova.salti[0].t_volo, 500);

    // A first line of four fields: fields 5 and 6 come from the next line.
    auto corta = leggi(
        "HOPA,h,Mario,Squat\r\n"
        "h,1,resto della riga\r\n"
        "titoli\r\n"
        "1,500,200,30,10,900,0\r\n");
    ASSERT_EQ(corta.tipo, EsitoLettura::Tipo::Letta) << corta.errore.toStdString();
    EXPECT_EQ(corta.prova.macchina_utente, "Squat");
    ASSERT_EQ(corta.prova.salti.size(), 1u);
    EXPECT_EQ(corta.prova.salti[0].potenza, 900);

    // Shifted so that a title lands where N should be.
    auto storta = leggi("HOPA,h,Mario\r\n\"N\",\"T volo\",\"T cont\"\r\n\r\n");
    EXPECT_EQ(storta.tipo, EsitoLettura::Tipo::Errore);
    EXPECT_EQ(storta.errore, "Tipo non corrispondente");
}

TEST(LetturaCsv, FileGuastiDannoLaDescrizione) {
    struct Caso {
        QString testo;
        const char* errore;
    };
    const QString buono = QStringLiteral("1,500,200,30,10,900,0\r\n");
    const Caso casi[] = {
        {intestazione.arg(3) + buono + buono, "Input oltre la fine del file"},
        {intestazione.arg(1) + "1,500,200", "Input oltre la fine del file"},
        {QString(), "Input oltre la fine del file"},
        {"HOPA,a,b", "Input oltre la fine del file"},
        {intestazione.arg(1) + "1,500,duecento,30,10,900,0\r\n", "Tipo non corrispondente"},
        {intestazione.arg(1) + "1,500,200,30,10,12abc,0\r\n", "Tipo non corrispondente"},
        {intestazione.arg(1) + "1,500,200,30,10,1e999,0\r\n", "Tipo non corrispondente"},
        {intestazione.arg("tre"), "Tipo non corrispondente"},
        {intestazione.arg(40000), "Overflow"},
        {intestazione.arg(32768), "Overflow"},
        {intestazione.arg(-1), "Indice non compreso nell'intervallo"},
        {intestazione.arg(1) + "40000,500,200,30,10,900,0\r\n", "Overflow"},
        {intestazione.arg(1) + "1,500,200,30,10,900,-32769\r\n", "Overflow"},
    };
    for (const Caso& c : casi) {
        auto e = leggi(c.testo);
        EXPECT_EQ(e.tipo, EsitoLettura::Tipo::Errore) << c.testo.toStdString();
        EXPECT_EQ(e.errore, c.errore) << c.testo.toStdString();
    }
    // The bounds themselves are fine, and an empty number field reads as 0.
    auto limite = leggi(intestazione.arg(1) + "-32768,500,,30,10,900,32767\r\n");
    ASSERT_EQ(limite.tipo, EsitoLettura::Tipo::Letta) << limite.errore.toStdString();
    EXPECT_EQ(limite.prova.salti[0].t_contatto, 0);
}

TEST(LetturaCsv, FileInWindows1252ETroppoGrandi) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("prova.csv"));
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(cp1252::codifica(QStringLiteral("HOPA,h,\"Niccolò Ferrè\",\"Squat 5€\",h,0\r\n\r\n\r\n")));
    }
    ASSERT_EQ(cp1252::codifica(QStringLiteral("ò€")), QByteArray("\xF2\x80"));
    auto e = leggi_file_csv(p);
    ASSERT_EQ(e.tipo, EsitoLettura::Tipo::Letta) << e.errore.toStdString();
    EXPECT_EQ(e.prova.nome_utente, QStringLiteral("Niccolò Ferrè"));
    EXPECT_EQ(e.prova.macchina_utente, QStringLiteral("Squat 5€"));

    auto manca = leggi_file_csv(dir.filePath(QStringLiteral("manca.csv")));
    EXPECT_EQ(manca.tipo, EsitoLettura::Tipo::Errore);
    EXPECT_FALSE(manca.errore.isEmpty());

    const QString grande = dir.filePath(QStringLiteral("grande.csv"));
    {
        QFile f(grande);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("HOPA,");
        ASSERT_TRUE(f.resize(byte_massimi_csv + 1));
    }
    auto troppo = leggi_file_csv(grande);
    EXPECT_EQ(troppo.tipo, EsitoLettura::Tipo::Errore);
    EXPECT_TRUE(troppo.errore.startsWith("file troppo grande")) << troppo.errore.toStdString();
}

// Random damage to a good file: a test, silence or an explained failure, never a crash.
TEST(LetturaCsv, ByteGuastiACaso) {
    const QByteArray buono = cp1252::codifica(intestazione.arg(3) +
                                              "1,512.5,201,32.177,12.34,1234.5678,0\r\n"
                                              "2,498,187.25,30.4,0.1,-7.25,9\r\n"
                                              "3,\"400\",250,1e-5,.5,3E3,1\r\n");
    QRandomGenerator caso(1789);
    const char alfabeto[] = "0123456789.,\"\r\n -+eEHOPAx\xE8";
    for (int i = 0; i < 2000; ++i) {
        QByteArray b = buono;
        const int guasti = 1 + static_cast<int>(caso.bounded(6));
        for (int g = 0; g < guasti && !b.isEmpty(); ++g) {
            const int pos = static_cast<int>(caso.bounded(b.size()));
            switch (caso.bounded(3)) {
                case 0: b[pos] = alfabeto[caso.bounded(static_cast<int>(sizeof alfabeto) - 1)]; break;
                case 1: b.remove(pos, 1 + static_cast<int>(caso.bounded(5))); break;
                default: b.truncate(pos); break;
            }
        }
        auto e = leggi_prova_csv(cp1252::decodifica(b));
        if (e.tipo == EsitoLettura::Tipo::Errore) {
            EXPECT_FALSE(e.errore.isEmpty()) << b.constData();
        } else if (e.tipo == EsitoLettura::Tipo::Letta) {
            EXPECT_LE(e.prova.salti.size(), 32767u);
            for (size_t k = 0; k < e.prova.salti.size(); ++k) EXPECT_EQ(e.prova.salti[k].n_rip, double(k + 1));
        }
    }
}
