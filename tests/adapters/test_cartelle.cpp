#include "support/pacchetto_xlsx.h"
#include "adapters/workbook/fogli_file.h"
#include "adapters/workbook/lettura_cartelle.h"
#include "adapters/workbook/scrittura_xlsx.h"
#include "support/file_prova.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QString dati = QStringLiteral(HOPA_DATI_TEST);

// The number format code and boldness of the style a written cell refers to,
// looked up in the package the way a spreadsheet program does.
struct StileCella {
    QString formato;
    bool grassetto = false;
};

StileCella stile_di(const QString& xlsx, const QString& riferimento) {
    int s = -1;
    QXmlStreamReader f(parte(xlsx, "xl/worksheets/sheet1.xml"));
    while (!f.atEnd())
        if (f.readNext() == QXmlStreamReader::StartElement && f.name() == u"c" &&
            f.attributes().value(QLatin1String("r")) == riferimento)
            s = f.attributes().value(QLatin1String("s")).toInt();
    QMap<int, QString> codici;
    std::vector<bool> font_grassetto;
    std::vector<std::pair<int, int>> xf;  // numFmtId, fontId
    QXmlStreamReader st(parte(xlsx, "xl/styles.xml"));
    bool in_xf = false;
    while (!st.atEnd()) {
        st.readNext();
        if (st.isStartElement() && st.name() == u"numFmt")
            codici[st.attributes().value(QLatin1String("numFmtId")).toInt()] =
                st.attributes().value(QLatin1String("formatCode")).toString();
        if (st.isStartElement() && st.name() == u"font") font_grassetto.push_back(false);
        if (st.isStartElement() && st.name() == u"b") font_grassetto.back() = true;
        if (st.isStartElement() && st.name() == u"cellXfs") in_xf = true;
        if (st.isEndElement() && st.name() == u"cellXfs") in_xf = false;
        if (in_xf && st.isStartElement() && st.name() == u"xf")
            xf.emplace_back(st.attributes().value(QLatin1String("numFmtId")).toInt(),
                            st.attributes().value(QLatin1String("fontId")).toInt());
    }
    StileCella r;
    if (s < 0 || s >= static_cast<int>(xf.size())) return r;
    int id = xf[static_cast<size_t>(s)].first;
    r.formato = id == 1 ? QStringLiteral("0") : codici.value(id);
    r.grassetto = font_grassetto.at(static_cast<size_t>(xf[static_cast<size_t>(s)].second));
    return r;
}

template <class T>
T valore(const FoglioMemoria& f, int r, int c) {
    ValoreCella v = f.leggi(r, c);
    EXPECT_TRUE(std::holds_alternative<T>(v)) << "riga " << r << " colonna " << c;
    return std::holds_alternative<T>(v) ? std::get<T>(v) : T{};
}

}  // namespace

TEST(FoglioMemoria, RiferimentiEIntervalli) {
    int r = 0, c = 0;
    EXPECT_TRUE(leggi_riferimento(u"A1", &r, &c));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(c, 1);
    EXPECT_TRUE(leggi_riferimento(u"J1", &r, &c));
    EXPECT_EQ(c, 10);
    EXPECT_TRUE(leggi_riferimento(u"XFD1048576", &r, &c));
    EXPECT_EQ(r, 1048576);
    EXPECT_EQ(c, 16384);
    for (QStringView cattivo : {u"", u"A", u"1", u"A0", u"XFE1", u"A1048577", u"A1B", u"AAAAA1", u"A99999999999"})
        EXPECT_FALSE(leggi_riferimento(cattivo, &r, &c)) << cattivo.toString().toStdString();

    FoglioMemoria f;
    EXPECT_TRUE(f.imposta_grassetto(QStringLiteral("A1:C2")));
    EXPECT_TRUE(f.cella(2, 3)->grassetto);
    EXPECT_EQ(f.cella(3, 1), nullptr);
    EXPECT_EQ(f.numero_celle(), 6u);
    EXPECT_FALSE(f.imposta_grassetto(QStringLiteral("A1:XFD1048576")));  // refused, not materialised
    EXPECT_FALSE(f.imposta_grassetto(QStringLiteral("A1:B2:C3")));
    EXPECT_FALSE(f.scrivi(0, 1, 1.0));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(f.leggi(99, 99)));
}

TEST(ScritturaXlsx, IlLettoreRitrovaValoriEFormati) {
    QTemporaryDir dir;
    FoglioMemoria f;
    f.imposta_larghezza_colonne(10);
    f.scrivi(1, 1, QStringLiteral("H (cm) "));
    f.imposta_grassetto(QStringLiteral("A1:B1"));
    f.scrivi(1, 10, 25.0);
    f.imposta_formato_numero(1, 10, QStringLiteral("0"));
    f.scrivi(2, 1, QStringLiteral(" Niccolò \"Ferrè\" <&> \x01 fine"));
    f.scrivi(2, 7, 0.1 + 0.2);
    f.imposta_formato_numero(2, 7, QStringLiteral("#.0"));
    f.scrivi(2, 8, -1e-300);
    f.scrivi(2, 9, std::numeric_limits<double>::max());
    f.scrivi(3, 2, true);
    f.scrivi(3, 3, QString());
    const QString p = dir.filePath(QStringLiteral("prova.xlsx"));
    QString errore;
    ASSERT_TRUE(scrivi_xlsx(f, p, &errore)) << errore.toStdString();

    auto letto = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(letto) << errore.toStdString();
    EXPECT_EQ(valore<QString>(*letto, 1, 1), "H (cm) ");
    EXPECT_EQ(valore<double>(*letto, 1, 10), 25.0);
    EXPECT_EQ(valore<QString>(*letto, 2, 1), QStringLiteral(" Niccolò \"Ferrè\" <&> \x01 fine"));
    EXPECT_EQ(valore<double>(*letto, 2, 7), 0.1 + 0.2);  // every bit of the double survives
    EXPECT_EQ(valore<double>(*letto, 2, 8), -1e-300);
    EXPECT_EQ(valore<double>(*letto, 2, 9), std::numeric_limits<double>::max());
    EXPECT_EQ(valore<bool>(*letto, 3, 2), true);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(letto->leggi(3, 3)));

    EXPECT_TRUE(stile_di(p, "A1").grassetto);
    EXPECT_TRUE(stile_di(p, "B1").grassetto);  // bold reaches the empty cells of the range
    EXPECT_EQ(stile_di(p, "J1").formato, "0");
    EXPECT_FALSE(stile_di(p, "J1").grassetto);
    EXPECT_EQ(stile_di(p, "G2").formato, "#.0");
    QByteArray foglio = parte(p, "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(foglio.contains("<col min=\"1\" max=\"16384\" width=\"10.")) << foglio.left(600).constData();
}

TEST(ScritturaXlsx, UnFallimentoNonToccaIlFileDiPrima) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("prova.xlsx"));
    ASSERT_TRUE(scrivi_file(p, "il file di prima"));
    FoglioMemoria f;
    f.scrivi(1, 1, 3.0);
    f.scrivi(2, 1, std::nan(""));  // a value no workbook can hold
    QString errore;
    EXPECT_FALSE(scrivi_xlsx(f, p, &errore));
    EXPECT_FALSE(errore.isEmpty());
    EXPECT_EQ(contenuto(p), "il file di prima");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"prova.xlsx"});  // no scraps left

    errore.clear();
    EXPECT_FALSE(scrivi_xlsx(f, dir.filePath(QStringLiteral("manca/prova.xlsx")), &errore));
    EXPECT_FALSE(errore.isEmpty());

    // A good save replaces the old file whole and leaves nothing beside it.
    FoglioMemoria g;
    g.scrivi(1, 1, 7.0);
    ASSERT_TRUE(scrivi_xlsx(g, p, &errore)) << errore.toStdString();
    auto letto = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(letto);
    EXPECT_EQ(valore<double>(*letto, 1, 1), 7.0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"prova.xlsx"});
}

// Fixtures written by another spreadsheet program and by another workbook
// library (tests/data/README.md).
TEST(LetturaCartelle, FileDiUnAltroProgrammaXlsxEXls) {
    FogliDiCalcoloFile fogli;
    for (const char* nome : {"prova_libreoffice.xlsx", "prova_libreoffice.xls", "prova_libxlsxwriter.xlsx"}) {
        SCOPED_TRACE(nome);
        QString errore;
        auto c = fogli.apri(dati + u'/' + QLatin1String(nome), &errore);
        ASSERT_TRUE(c) << errore.toStdString();
        auto& f = dynamic_cast<FoglioMemoria&>(c->foglio_attivo());
        EXPECT_EQ(valore<QString>(f, 1, 3), "Tipo salto");
        EXPECT_EQ(valore<QString>(f, 1, 7), "H (cm) ");
        EXPECT_EQ(valore<QString>(f, 1, 8), "Sdown (cm) ");
        EXPECT_EQ(valore<double>(f, 1, 10), 3.0);
        EXPECT_EQ(valore<QString>(f, 2, 1), " 2024 03 15 09 05 07");
        EXPECT_EQ(valore<QString>(f, 2, 2), QStringLiteral("Niccolò Ferrè"));
        EXPECT_EQ(valore<double>(f, 3, 4), 5.0);
        EXPECT_EQ(valore<double>(f, 2, 5), 512.25);
        EXPECT_EQ(valore<double>(f, 2, 7), 32.1771875);
        EXPECT_EQ(valore<double>(f, 2, 8), 0.1);
        EXPECT_EQ(valore<double>(f, 3, 8), 12.34);
        EXPECT_EQ(valore<double>(f, 3, 9), -7.25);
        EXPECT_EQ(valore<double>(f, 4, 7), 1e-05);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(f.leggi(5, 1)));
        EXPECT_EQ(f.numero_celle(), 10u + 3u * 9u);
    }
}

TEST(LetturaCartelle, IlContenutoDecideIlFormatoNonIlNome) {
    QTemporaryDir dir;
    const QString xlsx_con_nome_xls = dir.filePath(QStringLiteral("vero_xlsx.xls"));
    ASSERT_TRUE(QFile::copy(dati + QStringLiteral("/prova_libreoffice.xlsx"), xlsx_con_nome_xls));
    FogliDiCalcoloFile fogli;
    QString errore;
    auto c = fogli.apri(xlsx_con_nome_xls, &errore);
    ASSERT_TRUE(c) << errore.toStdString();
    EXPECT_EQ(valore<QString>(dynamic_cast<FoglioMemoria&>(c->foglio_attivo()), 1, 3), "Tipo salto");

    ASSERT_TRUE(scrivi_file(dir.filePath(QStringLiteral("testo.xlsx")), "HOPA,non un foglio"));
    EXPECT_EQ(fogli.apri(dir.filePath(QStringLiteral("testo.xlsx")), &errore), nullptr);
    EXPECT_EQ(errore, "formato del file non riconosciuto");
    errore.clear();
    EXPECT_EQ(fogli.apri(dir.filePath(QStringLiteral("non_esiste.xlsx")), &errore), nullptr);
    EXPECT_FALSE(errore.isEmpty());
    // .xls-looking bytes that freexl cannot make sense of.
    ASSERT_TRUE(scrivi_file(dir.filePath(QStringLiteral("finto.xls")),
                            QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(600, '\0')));
    errore.clear();
    EXPECT_EQ(fogli.apri(dir.filePath(QStringLiteral("finto.xls")), &errore), nullptr);
    EXPECT_FALSE(errore.isEmpty());
}

TEST(LetturaXlsx, StringheInLineaRicheEFormule) {
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("a.xlsx"));
    // Cells as other programs write them: inline strings, rich-text runs with a
    // phonetic guide, _xHHHH_ escapes, formula results, booleans, and cells and
    // rows that carry no reference of their own.
    QByteArray righe =
        "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">H (cm) </t></is></c>"
        "<c r=\"C1\" t=\"inlineStr\"><is><r><t>Tipo</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\"> salto</t></r>"
        "<rPh><t>x</t></rPh></is></c>"
        "<c r=\"D1\" t=\"s\"><v>1</v></c><c r=\"E1\" t=\"str\"><f>A1</f><v>da formula</v></c>"
        "<c r=\"F1\"><f>1+1</f><v>2</v></c><c r=\"G1\" t=\"b\"><v>0</v></c><c r=\"H1\" s=\"3\"/></row>"
        "<row><c t=\"n\"><v> 1.5e2 </v></c><c><v>-0</v></c><c t=\"s\"><v>0</v></c></row>";
    QByteArray stringhe = stringhe_xml("<si><t>a_x000D_b</t></si><si><r><t>cond</t></r><r><t>ivisa</t></r></si>");
    ASSERT_TRUE(scrivi_pacchetto(p, parti_cartella({foglio_xml(righe)}, -1, stringhe)));
    QString errore;
    auto f = leggi_xlsx(p, {}, &errore);
    ASSERT_TRUE(f) << errore.toStdString();
    EXPECT_EQ(valore<QString>(*f, 1, 1), "H (cm) ");
    EXPECT_EQ(valore<QString>(*f, 1, 3), "Tipo salto");
    EXPECT_EQ(valore<QString>(*f, 1, 4), "condivisa");
    EXPECT_EQ(valore<QString>(*f, 1, 5), "da formula");
    EXPECT_EQ(valore<double>(*f, 1, 6), 2.0);
    EXPECT_EQ(valore<bool>(*f, 1, 7), false);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(f->leggi(1, 8)));
    EXPECT_EQ(valore<double>(*f, 2, 1), 150.0);
    EXPECT_EQ(valore<double>(*f, 2, 2), 0.0);
    EXPECT_EQ(valore<QString>(*f, 2, 3), "a\rb");
    EXPECT_EQ(f->numero_celle(), 9u);
}

TEST(LetturaXlsx, IlFoglioAttivo) {
    QTemporaryDir dir;
    const QByteArray primo = foglio_xml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
    const QByteArray secondo = foglio_xml("<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>");
    struct Caso {
        int attivo;
        double atteso;
    };
    for (Caso c : {Caso{1, 2.0}, Caso{0, 1.0}, Caso{-1, 1.0}, Caso{7, 1.0}}) {
        SCOPED_TRACE(c.attivo);
        const QString p = dir.filePath(QStringLiteral("f%1.xlsx").arg(c.attivo));
        ASSERT_TRUE(scrivi_pacchetto(p, parti_cartella({primo, secondo}, c.attivo)));
        QString errore;
        auto f = leggi_xlsx(p, {}, &errore);
        ASSERT_TRUE(f) << errore.toStdString();
        EXPECT_EQ(valore<double>(*f, 1, 1), c.atteso);
    }
}

TEST(LetturaXlsx, FileDanneggiatiOOstiliDannoUnErroreChiaro) {
    QTemporaryDir dir;
    int n = 0;
    auto prova = [&](const PartiXlsx& parti, const LimitiLettura& limiti, const char* atteso) {
        const QString p = dir.filePath(QStringLiteral("d%1.xlsx").arg(++n));
        ASSERT_TRUE(scrivi_pacchetto(p, parti));
        QString errore;
        EXPECT_FALSE(leggi_xlsx(p, limiti, &errore).has_value()) << atteso;
        EXPECT_TRUE(errore.contains(QString::fromUtf8(atteso))) << errore.toStdString() << " / " << atteso;
    };
    const LimitiLettura normali;
    auto cella = [](const QByteArray& c) { return parti_cartella({foglio_xml("<row r=\"1\">" + c + "</row>")}); };

    // A part that inflates far beyond its compressed size (a zip bomb).
    LimitiLettura stretti;
    stretti.byte_parte = 1 << 20;
    prova(parti_cartella({foglio_xml(QByteArray(4 << 20, ' '))}), stretti, "troppo grande");
    LimitiLettura poche_celle;
    poche_celle.celle = 10;
    QByteArray undici;
    for (int i = 1; i <= 11; ++i) undici += "<c r=\"A" + QByteArray::number(i) + "\"><v>1</v></c>";
    prova(parti_cartella({foglio_xml("<row r=\"1\">" + undici + "</row>")}), poche_celle, "più di 10 celle");
    LimitiLettura poche_stringhe;
    poche_stringhe.stringhe = 2;
    prova(parti_cartella({foglio_xml("")}, -1, stringhe_xml("<si><t>a</t></si><si><t>b</t></si><si><t>c</t></si>")),
          poche_stringhe, "stringhe condivise");
    LimitiLettura file_piccolo;
    file_piccolo.byte_file = 100;
    prova(cella("<c r=\"A1\"><v>1</v></c>"), file_piccolo, "il file supera 100 byte");

    prova(cella("<c r=\"A1\" t=\"s\"><v>0</v></c>"), normali, "stringa condivisa inesistente");
    prova(cella("<c r=\"A1\"><v>12abc</v></c>"), normali, "numero non valido");
    prova(cella("<c r=\"A1\"><v>nan</v></c>"), normali, "numero non valido");
    prova(cella("<c r=\"A1\"><v>1e999</v></c>"), normali, "numero non valido");
    prova(cella("<c r=\"A1\"><v>0x10</v></c>"), normali, "numero non valido");
    prova(cella("<c r=\"XFE1\"><v>1</v></c>"), normali, "riferimento di cella non valido");
    prova(parti_cartella({foglio_xml("<row r=\"1048577\"><c><v>1</v></c></row>")}), normali, "numero di riga");
    prova(cella("<c r=\"A1\"><v>1</v>"), normali, "XML non valido");
    prova(parti_cartella({"<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaaaa\">]><worksheet/>"}), normali,
          "DTD");
    PartiXlsx senza_foglio = parti_cartella({foglio_xml("")});
    senza_foglio.erase(senza_foglio.begin());
    prova(senza_foglio, normali, "manca il foglio");

    // A truncated package.
    const QByteArray intero = contenuto(dati + QStringLiteral("/prova_libreoffice.xlsx"));
    const QString tronco = dir.filePath(QStringLiteral("tronco.xlsx"));
    ASSERT_TRUE(scrivi_file(tronco, intero.left(intero.size() / 2)));
    QString errore;
    EXPECT_FALSE(leggi_xlsx(tronco, normali, &errore).has_value());
    EXPECT_TRUE(errore.startsWith("non è un file .xlsx valido")) << errore.toStdString();
}

// Random damage to real workbooks: every outcome must be a sheet or an explained
// failure, never a crash or a hang.
TEST(LetturaCartelle, ByteGuastiACasoNonFannoCadere) {
    QTemporaryDir dir;
    FogliDiCalcoloFile fogli;
    QRandomGenerator caso(20240315);
    for (const char* nome : {"prova_libreoffice.xlsx", "prova_libreoffice.xls", "prova_libxlsxwriter.xlsx"}) {
        const QByteArray buono = contenuto(dati + u'/' + QLatin1String(nome));
        ASSERT_FALSE(buono.isEmpty());
        for (int i = 0; i < 150; ++i) {
            QByteArray b = buono;
            const int guasti = 1 + static_cast<int>(caso.bounded(8));
            for (int g = 0; g < guasti; ++g)
                b[8 + static_cast<int>(caso.bounded(b.size() - 8))] = static_cast<char>(caso.bounded(256));
            const QString p = dir.filePath(QStringLiteral("g%1_%2").arg(i).arg(QLatin1String(nome)));
            ASSERT_TRUE(scrivi_file(p, b));
            QString errore;
            auto c = fogli.apri(p, &errore);
            if (!c) EXPECT_FALSE(errore.isEmpty()) << nome << " " << i;
        }
    }
}
