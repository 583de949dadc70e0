// The package the program writes, and packages it reads, down to the zip:
// texts and numbers come back exactly, the zip is one any zip reader takes, and
// a damaged compressed part is an error rather than wrong cells.
#include "adapters/workbook/archivio_zip.h"
#include "adapters/workbook/lettura_cartelle.h"
#include "adapters/workbook/scrittura_xlsx.h"
#include "support/file_prova.h"
#include "support/pacchetto_xlsx.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

TEST(ScritturaXlsx, OgniTestoEOgniNumeroTornanoComeErano) {
    const std::vector<QString> testi = {
        QStringLiteral("_x0041_ non è un'escape"), QStringLiteral("a\r\nb\rc"), QStringLiteral("\tcon tab "),
        QStringLiteral(" "), QStringLiteral("x\x1f") + QChar(0xFFFF) + u'y', QStringLiteral("<t a=\"1\">&amp;</t>"),
        QStringLiteral("_x005f_ e _X0041_ e _x12_"), QStringLiteral("_x0x41_"), QStringLiteral("_x 41 _"),
        QStringLiteral("_x+041_")};
    const std::vector<double> numeri = {-0.0, 5e-324, 0.1 + 0.2, 1e308, -1.5e-7, 123456789012345680.0};
    FoglioMemoria f;
    for (size_t i = 0; i < testi.size(); ++i) {
        f.scrivi(static_cast<int>(i) + 1, 1, testi[i]);
        f.scrivi(static_cast<int>(i) + 1, 2, testi[i]);  // the same text twice: one shared entry
    }
    for (size_t i = 0; i < numeri.size(); ++i) f.scrivi(static_cast<int>(i) + 1, 3, numeri[i]);
    f.scrivi(1, 16384, false);
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("t.xlsx"));
    QString errore;
    ASSERT_TRUE(scrivi_xlsx(f, p, &errore)) << errore.toStdString();

    auto letto = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(letto) << errore.toStdString();
    for (size_t i = 0; i < testi.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        EXPECT_EQ(std::get<QString>(letto->leggi(r, 1)), testi[i]) << i;
        EXPECT_EQ(std::get<QString>(letto->leggi(r, 2)), testi[i]) << i;
    }
    for (size_t i = 0; i < numeri.size(); ++i) {
        const double d = std::get<double>(letto->leggi(static_cast<int>(i) + 1, 3));
        EXPECT_EQ(std::memcmp(&d, &numeri[i], sizeof d), 0) << "every bit of " << numeri[i];
    }
    EXPECT_EQ(std::get<bool>(letto->leggi(1, 16384)), false);
    EXPECT_TRUE(parte(p, "xl/sharedStrings.xml").contains("count=\"20\" uniqueCount=\"10\""));
    EXPECT_TRUE(parte(p, "xl/worksheets/sheet1.xml").contains("<dimension ref=\"A1:XFD10\"/>"));
}

TEST(ScritturaXlsx, UnTestoPiuLungoDiUnaCellaNonScriveNulla) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("t.xlsx"));
    ASSERT_TRUE(scrivi_file(p, "il file di prima"));
    FoglioMemoria f;
    f.scrivi(1, 1, QString(32767, u'a'));
    f.scrivi(2, 1, QString(32768, u'a'));
    QString errore;
    EXPECT_FALSE(scrivi_xlsx(f, p, &errore));
    EXPECT_TRUE(errore.contains("32767")) << errore.toStdString();
    EXPECT_EQ(contenuto(p), "il file di prima");
}

TEST(ArchivioZip, UnLettoreZipQualunqueRitrovaOgniVoce) {
    QByteArray casuale(4096, '\0');
    QRandomGenerator caso(7);
    for (char& c : casuale) c = static_cast<char>(caso.bounded(256));
    const QByteArray ripetuto = QByteArray("<row><c r=\"A1\"><v>1</v></c></row>").repeated(3000);
    const std::vector<std::pair<std::string, QByteArray>> attese = {
        {"vuota", {}}, {"casuale.bin", casuale}, {"xl/worksheets/sheet1.xml", ripetuto}};
    std::vector<VoceZip> voci;
    for (const auto& [nome, dati] : attese) voci.push_back({nome, {dati.constData(), static_cast<size_t>(dati.size())}});
    QString errore;
    const auto zip = archivio_zip(voci, QDateTime(QDate(1975, 1, 1), QTime(12, 0)), &errore);
    ASSERT_TRUE(zip) << errore.toStdString();
    EXPECT_LT(zip->size(), casuale.size() + ripetuto.size() / 10) << "the markup is deflated, the noise stored";

    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("a.zip"));
    ASSERT_TRUE(scrivi_file(p, *zip));
    int e = 0;
    zip_t* z = zip_open(QFile::encodeName(p).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &e);
    ASSERT_NE(z, nullptr) << "zip error " << e;
    EXPECT_EQ(zip_get_num_entries(z, 0), 3);
    for (zip_uint64_t i = 0; i < 3; ++i) EXPECT_EQ(zip_get_name(z, i, 0), attese[i].first);
    zip_discard(z);
    for (const auto& [nome, dati] : attese) EXPECT_EQ(parte(p, nome.c_str()), dati) << nome;
}

// What other programs put in a package: names with a prefix, text in CDATA,
// parts stored without compression.
TEST(LetturaXlsx, PrefissiCDataEPartiNonCompresse) {
    const QByteArray foglio =
        "<?xml version=\"1.0\"?><x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetData><x:row r=\"2\"><x:c r=\"A2\" t=\"inlineStr\"><x:is><x:t><![CDATA[a<b]]></x:t></x:is></x:c>"
        "<x:c r=\"B2\"><x:v>2.5</x:v></x:c><x:c r=\"c2\" t=\"s\"><x:v>0</x:v></x:c></x:row></x:sheetData>"
        "</x:worksheet>";
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("p.xlsx"));
    ASSERT_TRUE(scrivi_pacchetto(p, parti_cartella({foglio}, -1, stringhe_xml("<si><t>&#x263A;&amp;</t></si>")), true));
    QString errore;
    auto f = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(f) << errore.toStdString();
    EXPECT_EQ(std::get<QString>(f->leggi(2, 1)), "a<b");
    EXPECT_EQ(std::get<double>(f->leggi(2, 2)), 2.5);
    EXPECT_EQ(std::get<QString>(f->leggi(2, 3)), QStringLiteral("\u263A&"));
    EXPECT_EQ(f->numero_celle(), 3u);
}

// Rows and cells out of order, and a cell given twice: sorted, the last one kept.
TEST(LetturaXlsx, CelleFuoriOrdineEDoppie) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("o.xlsx"));
    ASSERT_TRUE(scrivi_pacchetto(
        p, parti_cartella({foglio_xml("<row r=\"3\"><c r=\"B3\"><v>1</v></c><c r=\"A3\"><v>2</v></c></row>"
                                      "<row r=\"1\"><c r=\"C1\"><v>3</v></c><c r=\"C1\"><v>4</v></c></row>"
                                      "<row r=\"3\"><c r=\"A3\"><v>5</v></c></row>")})));
    QString errore;
    auto f = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(f) << errore.toStdString();
    ASSERT_EQ(f->numero_celle(), 3u);
    EXPECT_EQ(f->celle()[0].first, FoglioMemoria::chiave(1, 3));
    EXPECT_EQ(f->celle()[1].first, FoglioMemoria::chiave(3, 1));
    EXPECT_EQ(std::get<double>(f->leggi(1, 3)), 4.0);
    EXPECT_EQ(std::get<double>(f->leggi(3, 1)), 5.0);
    EXPECT_EQ(std::get<double>(f->leggi(3, 2)), 1.0);
}

TEST(LetturaXlsx, UnaParteCompressaGuastaDaUnErrore) {
    QByteArray righe;
    for (int r = 1; r <= 200; ++r)
        righe += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"A" + QByteArray::number(r) + "\"><v>" +
                 QByteArray::number(r * 0.37) + "</v></c></row>";
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("g.xlsx"));
    ASSERT_TRUE(scrivi_pacchetto(p, parti_cartella({foglio_xml(righe)})));
    QByteArray b = contenuto(p);
    // The sheet is the first part: its data starts after its local header, name and extra field.
    const char* nome = "xl/worksheets/sheet1.xml";
    ASSERT_EQ(b.mid(30, static_cast<qsizetype>(std::strlen(nome))), nome);
    const qsizetype inizio = 30 + static_cast<qsizetype>(std::strlen(nome)) + static_cast<uchar>(b[28]) +
                             256 * static_cast<uchar>(b[29]);
    auto rifiutato = [&](const QByteArray& guasto, const char* come) {
        ASSERT_TRUE(scrivi_file(p, guasto));
        QString errore;
        EXPECT_FALSE(leggi_xlsx(p, {}, &errore).has_value()) << come;
        EXPECT_TRUE(errore.contains("danneggiata")) << come << ": " << errore.toStdString();
    };
    for (qsizetype scarto : {qsizetype(40), qsizetype(200), qsizetype(400)}) {
        QByteArray guasto = b;
        guasto[inizio + scarto] = static_cast<char>(guasto[inizio + scarto] ^ 0x10);
        rifiutato(guasto, "a bit of the deflated data");
    }
    // Sound data under another checksum, in the local header and the directory alike.
    const QByteArray crc = b.mid(14, 4);
    QByteArray altro_crc = b;
    altro_crc.replace(crc, QByteArray("\x01\x02\x03\x04"));
    ASSERT_EQ(altro_crc.count("\x01\x02\x03\x04"), 2);
    rifiutato(altro_crc, "the checksum");
}

// Cells written in any order are kept in row order, and each is found again.
TEST(FoglioMemoria, CelleScritteInQualunqueOrdine) {
    FoglioMemoria f;
    const std::vector<std::pair<int, int>> ordine = {{3, 1}, {1, 2}, {2, 5}, {1, 1}, {3, 16384}, {2, 1}};
    for (size_t i = 0; i < ordine.size(); ++i)
        f.scrivi(ordine[i].first, ordine[i].second, static_cast<double>(i));
    f.imposta_formato_numero(1, 2, QStringLiteral("0"));
    f.imposta_formato_numero(2, 2, QStringLiteral("0"));  // a new cell, in the middle
    ASSERT_EQ(f.numero_celle(), ordine.size() + 1);
    for (size_t i = 1; i < f.celle().size(); ++i) EXPECT_LT(f.celle()[i - 1].first, f.celle()[i].first);
    for (size_t i = 0; i < ordine.size(); ++i)
        EXPECT_EQ(std::get<double>(f.leggi(ordine[i].first, ordine[i].second)), static_cast<double>(i));
    EXPECT_EQ(f.cella(1, 2)->formato_numero, "0");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(f.leggi(2, 2)));
    EXPECT_EQ(f.cella(2, 3), nullptr);
}
