#include "adapters/workbook/parti_xlsx.h"

#include "adapters/workbook/foglio_memoria.h"
#include "adapters/workbook/parte_xml.h"

#include <QHash>

#include <charconv>
#include <cmath>
#include <utility>

namespace {

constexpr int caratteri_massimi_cella = 32767;

const char* const intestazione = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char* const ns_main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const ns_rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Text written through a pointer into a buffer on the stack, then appended to
// the part at once: one append a cell rather than one a piece.
class Pezzo {
public:
    Pezzo& operator<<(std::string_view t) {
        for (char c : t) *p_++ = c;
        return *this;
    }
    Pezzo& operator<<(char c) {
        *p_++ = c;
        return *this;
    }
    Pezzo& numero(double v) {
        p_ = std::to_chars(p_, fine(), v).ptr;  // the shortest text that reads back as v
        return *this;
    }
    Pezzo& intero(long long v) {
        p_ = std::to_chars(p_, fine(), v).ptr;
        return *this;
    }
    // "A1" style reference of a cell.
    Pezzo& riferimento(int riga, int colonna) {
        char lettere[4];
        int n = 0;
        for (int c = colonna; c > 0 && n < 4; c = (c - 1) / 26) lettere[n++] = static_cast<char>('A' + (c - 1) % 26);
        while (n > 0) *p_++ = lettere[--n];
        return intero(riga);
    }
    void aggiungi_a(std::string& out) const { out.append(b_, static_cast<size_t>(p_ - b_)); }

private:
    char* fine() { return b_ + sizeof b_; }
    char b_[192];  // the longest cell: reference, style, a number and the markup around them
    char* p_ = b_;
};

// Markup characters as entities. In cell text, characters XML cannot carry are
// written as _xHHHH_, and an underscore that would read as the start of such an
// escape is escaped itself, so every text reads back as it was.
std::string testo_xml(const QString& s, bool escape_foglio) {
    QString out;
    out.reserve(s.size() + 16);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u == u'&') out += QLatin1String("&amp;");
        else if (u == u'<') out += QLatin1String("&lt;");
        else if (u == u'>') out += QLatin1String("&gt;");
        else if (u == u'"') out += QLatin1String("&quot;");
        else if (escape_foglio && ((u < 0x20 && u != u'\t' && u != u'\n') || u == 0xFFFE || u == 0xFFFF ||
                                   (u == u'_' && escape_x(s, i))))
            out += QLatin1String("_x") + QString::number(u, 16).toUpper().rightJustified(4, u'0') + u'_';
        else out += QChar(u);
    }
    return out.toStdString();
}

// Blanks at either end are kept only when the element says so.
bool spazi_ai_bordi(const QString& s) {
    auto spazio = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
    return !s.isEmpty() && (spazio(s.front()) || spazio(s.back()));
}

// The cell formats in use: index 0 is the general format, not bold.
class Stili {
public:
    int indice(const CellaMemoria& c) {
        if (c.formato_numero.isEmpty() && !c.grassetto) return 0;
        for (size_t i = 0; i < stili_.size(); ++i)
            if (stili_[i].second == c.grassetto && stili_[i].first == c.formato_numero) return static_cast<int>(i) + 1;
        stili_.emplace_back(c.formato_numero, c.grassetto);
        return static_cast<int>(stili_.size());
    }

    std::string xml() const {
        std::vector<QString> formati;  // custom formats, numbered from 164
        auto id_formato = [&](const QString& f) {
            // The formats every spreadsheet program knows by number.
            static const QHash<QString, int> predefiniti = {{QStringLiteral("0"), 1},        {QStringLiteral("0.00"), 2},
                                                            {QStringLiteral("#,##0"), 3},    {QStringLiteral("#,##0.00"), 4},
                                                            {QStringLiteral("0%"), 9},       {QStringLiteral("0.00%"), 10},
                                                            {QStringLiteral("General"), 0}};
            if (f.isEmpty()) return 0;
            if (auto it = predefiniti.find(f); it != predefiniti.end()) return *it;
            for (size_t i = 0; i < formati.size(); ++i)
                if (formati[i] == f) return 164 + static_cast<int>(i);
            formati.push_back(f);
            return 163 + static_cast<int>(formati.size());
        };
        std::string xf = "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>";
        for (const auto& [formato, grassetto] : stili_) {
            const int id = id_formato(formato);
            xf += "<xf numFmtId=\"" + std::to_string(id) + "\" fontId=\"" + (grassetto ? "1" : "0") +
                  "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"" + (id ? " applyNumberFormat=\"1\"" : "") +
                  (grassetto ? " applyFont=\"1\"" : "") + "/>";
        }
        std::string x = intestazione;
        x += "<styleSheet xmlns=\"" + std::string(ns_main) + "\">";
        if (!formati.empty()) {
            x += "<numFmts count=\"" + std::to_string(formati.size()) + "\">";
            for (size_t i = 0; i < formati.size(); ++i)
                x += "<numFmt numFmtId=\"" + std::to_string(164 + i) + "\" formatCode=\"" + testo_xml(formati[i], false) +
                     "\"/>";
            x += "</numFmts>";
        }
        const std::string carattere = "<sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>";
        x += "<fonts count=\"2\"><font>" + carattere + "</font><font><b/>" + carattere + "</font></fonts>";
        x += "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
             "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
             "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
             "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>";
        x += "<cellXfs count=\"" + std::to_string(stili_.size() + 1) + "\">" + xf + "</cellXfs>";
        x += "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
             "</styleSheet>";
        return x;
    }

private:
    std::vector<std::pair<QString, bool>> stili_;
};

// Texts in order of first use, each stored once.
class Stringhe {
public:
    int indice(const QString& s) {
        ++usi_;
        auto it = indici_.constFind(s);
        if (it != indici_.constEnd()) return *it;
        const int i = static_cast<int>(testi_.size());
        indici_.insert(s, i);
        testi_.push_back(s);
        return i;
    }
    bool vuota() const { return testi_.empty(); }
    std::string xml() const {
        std::string x = intestazione;
        x += "<sst xmlns=\"" + std::string(ns_main) + "\" count=\"" + std::to_string(usi_) + "\" uniqueCount=\"" +
             std::to_string(testi_.size()) + "\">";
        for (const QString& t : testi_)
            x += (spazi_ai_bordi(t) ? "<si><t xml:space=\"preserve\">" : "<si><t>") + testo_xml(t, true) + "</t></si>";
        return x + "</sst>";
    }

private:
    QHash<QString, int> indici_;
    std::vector<QString> testi_;
    long long usi_ = 0;
};

std::optional<std::string> foglio_xml(const FoglioMemoria& foglio, Stili& stili, Stringhe& stringhe, QString* errore) {
    const auto& celle = foglio.celle();
    int riga_min = 1, riga_max = 1, colonna_min = 1, colonna_max = 1;
    if (!celle.empty()) {
        riga_min = FoglioMemoria::riga_di(celle.front().first);
        riga_max = FoglioMemoria::riga_di(celle.back().first);
        colonna_min = colonne_massime_foglio;
        colonna_max = 1;
        for (const auto& c : celle) {
            colonna_min = std::min(colonna_min, FoglioMemoria::colonna_di(c.first));
            colonna_max = std::max(colonna_max, FoglioMemoria::colonna_di(c.first));
        }
    }
    std::string x;
    x.reserve(200 + celle.size() * 40);
    x += intestazione;
    x += "<worksheet xmlns=\"" + std::string(ns_main) + "\" xmlns:r=\"" + ns_rel + "\">";
    {
        Pezzo dimensione;
        dimensione << "<dimension ref=\"";
        dimensione.riferimento(riga_min, colonna_min);
        if (riga_max != riga_min || colonna_max != colonna_min) (dimensione << ':').riferimento(riga_max, colonna_max);
        dimensione << "\"/>";
        dimensione.aggiungi_a(x);
    }
    x += "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
         "<sheetFormatPr defaultRowHeight=\"15\"/>";
    if (const auto larghezza = foglio.larghezza_colonne()) {
        Pezzo colonne;
        colonne << "<cols><col min=\"1\" max=\"";
        colonne.intero(colonne_massime_foglio) << "\" width=\"";
        colonne.numero(larghezza_registrata(*larghezza)) << "\" customWidth=\"1\"/></cols>";
        colonne.aggiungi_a(x);
    }
    x += "<sheetData>";
    int riga_aperta = 0;
    for (const auto& [chiave, cella] : celle) {
        const int riga = FoglioMemoria::riga_di(chiave), colonna = FoglioMemoria::colonna_di(chiave);
        const int stile = stili.indice(cella);
        const double* numero = std::get_if<double>(&cella.valore);
        const QString* testo = std::get_if<QString>(&cella.valore);
        const bool* booleano = std::get_if<bool>(&cella.valore);
        if (numero && !std::isfinite(*numero)) {
            *errore = QStringLiteral("valore numerico non finito nella riga %1").arg(riga);
            return std::nullopt;
        }
        if (testo && testo->size() > caratteri_massimi_cella) {
            *errore = QStringLiteral("testo di oltre %1 caratteri nella riga %2").arg(caratteri_massimi_cella).arg(riga);
            return std::nullopt;
        }
        if (testo && testo->isEmpty()) testo = nullptr;  // an empty text is an empty cell
        if (!numero && !testo && !booleano && !stile) continue;
        Pezzo p;
        if (riga != riga_aperta) {
            if (riga_aperta) p << "</row>";
            p << "<row r=\"";
            p.intero(riga) << "\">";
            riga_aperta = riga;
        }
        p << "<c r=\"";
        p.riferimento(riga, colonna) << '"';
        if (stile) {
            p << " s=\"";
            p.intero(stile) << '"';
        }
        if (numero) {
            p << "><v>";
            p.numero(*numero) << "</v></c>";
        } else if (testo) {
            p << " t=\"s\"><v>";
            p.intero(stringhe.indice(*testo)) << "</v></c>";
        } else if (booleano) {
            p << (*booleano ? " t=\"b\"><v>1</v></c>" : " t=\"b\"><v>0</v></c>");
        } else {
            p << "/>";
        }
        p.aggiungi_a(x);
    }
    if (riga_aperta) x += "</row>";
    x += "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
         "footer=\"0.3\"/></worksheet>";
    return x;
}

std::string relazione(const char* id, const std::string& tipo, const char* destinazione) {
    return std::string("<Relationship Id=\"") + id + "\" Type=\"" + tipo + "\" Target=\"" + destinazione + "\"/>";
}

}  // namespace

double larghezza_registrata(double caratteri) {
    constexpr double cifra = 7, margine = 5;
    if (caratteri <= 0) return 0;
    const double pixel = caratteri < 1 ? std::floor(caratteri * (cifra + margine) + 0.5)
                                       : std::floor(caratteri * cifra + 0.5) + margine;
    return std::floor(pixel / cifra * 256.0) / 256.0;
}

std::optional<std::vector<ParteXlsx>> parti_xlsx(const FoglioMemoria& foglio, QString* errore) {
    Stili stili;
    Stringhe stringhe;
    auto foglio1 = foglio_xml(foglio, stili, stringhe, errore);
    if (!foglio1) return std::nullopt;

    const std::string tipo = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    auto sostituzione = [](const char* parte, const std::string& tipo_contenuto) {
        return std::string("<Override PartName=\"") + parte + "\" ContentType=\"" + tipo_contenuto + "\"/>";
    };
    std::string tipi = std::string(intestazione) +
                       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>" +
                       sostituzione("/xl/workbook.xml", tipo + "sheet.main+xml") +
                       sostituzione("/xl/worksheets/sheet1.xml", tipo + "worksheet+xml") +
                       sostituzione("/xl/styles.xml", tipo + "styles+xml");
    const std::string rel_ufficio = std::string(ns_rel) + '/';
    std::string rel_cartella = std::string(intestazione) +
                               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                               relazione("rId1", rel_ufficio + "worksheet", "worksheets/sheet1.xml") +
                               relazione("rId2", rel_ufficio + "styles", "styles.xml");
    if (!stringhe.vuota()) {
        tipi += sostituzione("/xl/sharedStrings.xml", tipo + "sharedStrings+xml");
        rel_cartella += relazione("rId3", rel_ufficio + "sharedStrings", "sharedStrings.xml");
    }
    tipi += "</Types>";
    rel_cartella += "</Relationships>";

    std::vector<ParteXlsx> parti;
    parti.push_back({"[Content_Types].xml", std::move(tipi)});
    parti.push_back({"_rels/.rels",
                     std::string(intestazione) +
                         "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
                         relazione("rId1", rel_ufficio + "officeDocument", "xl/workbook.xml") + "</Relationships>"});
    parti.push_back({"xl/workbook.xml", std::string(intestazione) + "<workbook xmlns=\"" + ns_main + "\" xmlns:r=\"" +
                                            ns_rel +
                                            "\"><bookViews><workbookView activeTab=\"0\"/></bookViews>"
                                            "<sheets><sheet name=\"Foglio1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                                            "</workbook>"});
    parti.push_back({"xl/_rels/workbook.xml.rels", std::move(rel_cartella)});
    parti.push_back({"xl/styles.xml", stili.xml()});
    if (!stringhe.vuota()) parti.push_back({"xl/sharedStrings.xml", stringhe.xml()});
    parti.push_back({"xl/worksheets/sheet1.xml", std::move(*foglio1)});
    return parti;
}
