#include "athletes/file_atleta.h"
#include "athletes/file_elenchi.h"

#include <gtest/gtest.h>

namespace {
RigheConfigurazione righe_esempio() {
    RigheConfigurazione r;
    r[riga_squadra].voci = {"Under 18", "Prima squadra"};
    r[riga_atleta].voci = {"non scritto"};
    r[riga_esercizio].voci = {"Squat jump", "CMJ", "Drop 40"};
    r[riga_t_volo].voci = {"20", "35"};
    r[riga_nota].voci = {"mattina"};
    return r;
}

void aspetta_voci(const RigheConfigurazione& letto, const RigheConfigurazione& atteso) {
    for (int k = 0; k <= ultima_riga; ++k) {
        if (k == riga_atleta) continue;
        EXPECT_EQ(letto[k].voci, atteso[k].voci) << "riga " << k;
    }
}
}  // namespace

TEST(FileElenchi, DialogoVuotoScriveQuattroEPoiMenoUnoQuattroVolte) {
    EXPECT_EQ(file_elenchi::scrivi({}), QByteArray(" 4 \r\n-1 \r\n-1 \r\n-1 \r\n-1 \r\n"));
}

TEST(FileElenchi, VociConVirgolaOSpaziAgliEstremiTornanoUguali) {
    RigheConfigurazione r;
    r[riga_squadra].voci = {"Rossi, Bianchi", " davanti", "dietro ", "", "a\"b", "\tTab"};
    r[riga_esercizio].voci = {"dopo"};
    const QByteArray b = file_elenchi::scrivi(r);
    EXPECT_TRUE(b.contains("\r\n\"Rossi, Bianchi\"\r\n\" davanti\"\r\n\"dietro \"\r\n\r\na\"b\r\n\"\tTab\"\r\n"));
    RigheConfigurazione letto;
    file_elenchi::leggi(b, letto);
    aspetta_voci(letto, r);
}

TEST(FileElenchi, FileScrittiSenzaVirgoletteSiLeggonoComePrima) {
    // Written the old way, an entry with a comma is two values and every later value moves one place.
    const QByteArray vecchio = " 4 \r\n 1 \r\nRossi, Mario\r\nVerdi\r\n 0 \r\nCMJ\r\n-1 \r\n-1 \r\n";
    RigheConfigurazione letto;
    file_elenchi::leggi(vecchio, letto);
    EXPECT_EQ(letto[riga_squadra].voci, QStringList({"Rossi", "Mario"}));
    EXPECT_EQ(letto[riga_esercizio].voci, QStringList({"0"}));   // count "Verdi" reads as 0
    EXPECT_EQ(letto[riga_t_volo].voci, QStringList({"-1"}));     // count "CMJ" reads as 0
    EXPECT_TRUE(letto[riga_nota].voci.isEmpty());

    RigheConfigurazione spazi;  // and an unquoted entry loses its leading blanks
    file_elenchi::leggi(" 4 \r\n 0 \r\n   Verdi\r\n-1 \r\n-1 \r\n-1 \r\n", spazi);
    EXPECT_EQ(spazi[riga_squadra].voci, QStringList({"Verdi"}));
}

TEST(FileElenchi, UnFileConUnAltroNumeroDiRigheSiLeggeConIlSuo) {
    RigheConfigurazione tre;
    file_elenchi::leggi(" 3 \r\n 0 \r\nT\r\n 1 \r\nE1\r\nE2\r\n 0 \r\n30\r\n", tre);
    EXPECT_EQ(tre[riga_squadra].voci, QStringList({"T"}));
    EXPECT_EQ(tre[riga_esercizio].voci, QStringList({"E1", "E2"}));
    EXPECT_EQ(tre[riga_t_volo].voci, QStringList({"30"}));
    EXPECT_TRUE(tre[riga_nota].voci.isEmpty());

    // Rows this dialog does not have are read past and dropped.
    RigheConfigurazione sei;
    file_elenchi::leggi(" 6 \r\n 0 \r\nT\r\n-1 \r\n-1 \r\n 0 \r\nN\r\n 1 \r\nx\r\ny\r\n 0 \r\nz\r\n", sei);
    EXPECT_EQ(sei[riga_squadra].voci, QStringList({"T"}));
    EXPECT_EQ(sei[riga_nota].voci, QStringList({"N"}));
    for (const auto& riga : sei)
        for (const QString& v : riga.voci) EXPECT_FALSE(v == "x" || v == "y" || v == "z");
}

TEST(FileElenchi, Windows1252AndataERitorno) {
    RigheConfigurazione r;
    r[riga_squadra].voci = {QString::fromUtf8("Niccolò")};
    r[riga_esercizio].voci = {QString::fromUtf8("Panca 5€ – “lenta”")};
    const QByteArray b = file_elenchi::scrivi(r);
    EXPECT_TRUE(b.contains("Niccol\xF2\r\n"));
    EXPECT_TRUE(b.contains("Panca 5\x80 \x96 \x93lenta\x94\r\n"));
    RigheConfigurazione letto;
    file_elenchi::leggi(b, letto);
    aspetta_voci(letto, r);
}

TEST(FileElenchi, ConteggiCheMentonoNonInventanoVoci) {
    RigheConfigurazione a;
    file_elenchi::leggi(" 4 \r\n 30000 \r\nuno\r\ndue\r\n", a);
    EXPECT_EQ(a[riga_squadra].voci, QStringList({"uno", "due"}));

    RigheConfigurazione b;  // a count beyond 16 bits ends the reading
    file_elenchi::leggi(" 4 \r\n 99999 \r\nuno\r\n", b);
    EXPECT_TRUE(b[riga_squadra].voci.isEmpty());

    RigheConfigurazione c;
    file_elenchi::leggi("-1 \r\n 0 \r\nuno\r\n", c);
    for (const auto& riga : c) EXPECT_TRUE(riga.voci.isEmpty());

    RigheConfigurazione d;
    file_elenchi::leggi("", d);
    for (const auto& riga : d) EXPECT_TRUE(riga.voci.isEmpty());
}

TEST(FileElenchi, FileTroncatoInOgniPuntoSiLeggeFinDoveArriva) {
    const RigheConfigurazione r = righe_esempio();
    const QByteArray intero = file_elenchi::scrivi(r);
    EXPECT_TRUE(intero.startsWith(" 4 \r\n 1 \r\nUnder 18\r\nPrima squadra\r\n 2 \r\nSquat jump\r\n"));
    EXPECT_FALSE(intero.contains("non scritto"));  // row 1 is never written
    for (qsizetype n = 0; n <= intero.size(); ++n) {
        RigheConfigurazione letto;
        letto[riga_atleta].voci = {"vecchio"};
        file_elenchi::leggi(intero.left(n), letto);
        for (int k = 0; k <= ultima_riga; ++k) {
            const QStringList& v = letto[k].voci;
            const QStringList& atteso = r[k].voci;
            ASSERT_LE(v.size(), k == riga_atleta ? 0 : atteso.size()) << "taglio " << n;  // row 1 emptied
            for (qsizetype j = 0; j < v.size(); ++j) {
                // Only the value the cut runs through may come out shortened.
                EXPECT_TRUE(atteso[j].startsWith(v[j])) << "taglio " << n;
            }
        }
        if (n == intero.size()) aspetta_voci(letto, r);
    }
}

TEST(FileAtleta, TuttiZeriSonoIlMarcatoreUndiciZeriELaCartella) {
    const QByteArray b = file_atleta::scrivi({}, "/prog/T/A");
    QByteArray atteso = "hopa_cfg\r\n";
    for (int i = 0; i < 11; ++i) atteso += " 0 \r\n";
    atteso += "/prog/T/A\r\n";
    EXPECT_EQ(b, atteso);
}

TEST(FileAtleta, PosizioniNegativeECartellaConVirgolaTornanoUguali) {
    std::array<int32_t, 11> indici{-1, 3, 0, 12, -1, 5, 6, 7, 8, 9, 32767};
    const QString cartella = QString::fromUtf8("/dati/Società, sezione B/Niccolò");
    const QByteArray b = file_atleta::scrivi(indici, cartella);
    EXPECT_TRUE(b.startsWith("hopa_cfg\r\n-1 \r\n 3 \r\n 0 \r\n 12 \r\n-1 \r\n"));
    auto l = file_atleta::leggi(b);
    ASSERT_TRUE(l.compatibile);
    EXPECT_EQ(l.indici, std::vector<int32_t>(indici.begin(), indici.end()));
    EXPECT_EQ(l.cartella, cartella);
}

TEST(FileAtleta, MarcatoreDiversoOInAltreMaiuscoleNonECompatibile) {
    for (const char* primo : {"HOPA_CFG", "Hopa_cfg", "hopa_cfg2", "hopa", "", " 0 "}) {
        QByteArray b = QByteArray(primo) + "\r\n 1 \r\n 2 \r\n";
        EXPECT_FALSE(file_atleta::leggi(b).compatibile) << primo;
    }
    EXPECT_TRUE(file_atleta::leggi("  hopa_cfg  \r\n").compatibile);  // blanks around a value are no part of it
}

TEST(FileAtleta, FileTroncatoDaSoloLePosizioniCheHa) {
    const QByteArray intero = file_atleta::scrivi({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "/c");
    for (qsizetype n = 0; n <= intero.size(); ++n) {
        auto l = file_atleta::leggi(intero.left(n));
        if (n < 8) {
            EXPECT_FALSE(l.compatibile) << n;
            continue;
        }
        ASSERT_LE(l.indici.size(), 11u);
        for (size_t i = 0; i + 1 < l.indici.size(); ++i) EXPECT_EQ(l.indici[i], static_cast<int32_t>(i + 1));
        if (l.cartella) EXPECT_EQ(l.indici.size(), 11u);
    }
    auto tre = file_atleta::leggi("hopa_cfg\r\n 4 \r\n-1 \r\n 2 \r\n");
    EXPECT_EQ(tre.indici, std::vector<int32_t>({4, -1, 2}));
    EXPECT_FALSE(tre.cartella.has_value());
}
