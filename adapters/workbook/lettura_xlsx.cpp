// .xlsx reader: the workbook is a zip of XML parts. From the package relations
// it finds the workbook part, from the workbook the active sheet and from the
// workbook's relations that sheet's part and the shared-string table.
#include "adapters/workbook/errori_librerie.h"
#include "adapters/workbook/lettura_cartelle.h"
#include "platform/errori_file.h"
#include "platform/file_regolare.h"
#include "adapters/workbook/parte_xml.h"

#include <QFile>

#include <libdeflate.h>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct ErroreLettura {
    QString descrizione;
};

[[noreturn]] void fallisci(const QString& d) { throw ErroreLettura{d}; }

struct ChiudiZip {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using Zip = std::unique_ptr<zip_t, ChiudiZip>;

struct LiberaDecompressore {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// All the bytes of an open file of the package; false when it is shorter.
bool leggi_tutto(zip_file_t* f, char* dati, zip_uint64_t n) {
    while (n > 0) {
        const zip_int64_t letti = zip_fread(f, dati, n);
        if (letti <= 0) return false;
        dati += letti;
        n -= static_cast<zip_uint64_t>(letti);
    }
    char oltre;
    return zip_fread(f, &oltre, 1) == 0;
}

// A deflated part as libdeflate reads it, about twice as fast as zlib: all at
// once into a buffer of the size the directory gives, which it never writes
// past; a stream that does not fill it exactly, or whose checksum differs, is
// damaged.
QByteArray decomprimi(zip_t* z, zip_uint64_t indice, const zip_stat_t& st, const QString& nome) {
    zip_file_t* f = zip_fopen_index(z, indice, ZIP_FL_COMPRESSED);
    if (!f) fallisci(QStringLiteral("parte %1 illeggibile: %2").arg(nome, QString::fromUtf8(zip_strerror(z))));
    QByteArray compressi(static_cast<qsizetype>(st.comp_size), Qt::Uninitialized);
    const bool letti = leggi_tutto(f, compressi.data(), st.comp_size);
    zip_fclose(f);
    if (!letti) fallisci(QStringLiteral("parte %1 danneggiata: dati compressi incompleti").arg(nome));
    std::unique_ptr<libdeflate_decompressor, LiberaDecompressore> d(libdeflate_alloc_decompressor());
    if (!d) throw std::bad_alloc();
    QByteArray dati(static_cast<qsizetype>(st.size), Qt::Uninitialized);
    const libdeflate_result r = libdeflate_deflate_decompress(d.get(), compressi.constData(), compressi.size(),
                                                              dati.data(), dati.size(), nullptr);
    if (r != LIBDEFLATE_SUCCESS || libdeflate_crc32(0, dati.constData(), dati.size()) != st.crc)
        fallisci(QStringLiteral("parte %1 danneggiata: dati compressi non validi").arg(nome));
    return dati;
}

// One part of the package, decompressed, never more than `limite` bytes whatever
// the zip directory claims, nor more compressed bytes than the file holds.
std::optional<QByteArray> leggi_parte(zip_t* z, const QString& nome, int64_t limite, int64_t byte_file) {
    zip_int64_t indice = zip_name_locate(z, nome.toUtf8().constData(), ZIP_FL_NOCASE);
    if (indice < 0) return std::nullopt;
    zip_stat_t st;
    zip_stat_init(&st);
    const bool stat = zip_stat_index(z, static_cast<zip_uint64_t>(indice), 0, &st) == 0;
    if (stat && (st.valid & ZIP_STAT_SIZE) && st.size > static_cast<zip_uint64_t>(limite))
        fallisci(QStringLiteral("la parte %1 è troppo grande (%2 byte)").arg(nome).arg(st.size));
    constexpr zip_uint64_t noti =
        ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
    if (stat && (st.valid & noti) == noti && st.comp_method == ZIP_CM_DEFLATE &&
        st.encryption_method == ZIP_EM_NONE && st.comp_size <= static_cast<zip_uint64_t>(byte_file))
        return decomprimi(z, static_cast<zip_uint64_t>(indice), st, nome);

    // Stored parts, and anything libdeflate does not read, through libzip.
    zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(indice), 0);
    if (!f) fallisci(QStringLiteral("parte %1 illeggibile: %2").arg(nome, errori_librerie::descrizione_zip(zip_get_error(z))));
    QByteArray dati;
    if (st.valid & ZIP_STAT_SIZE) dati.reserve(static_cast<qsizetype>(st.size));
    char blocco[1 << 16];
    for (;;) {
        zip_int64_t n = zip_fread(f, blocco, sizeof blocco);
        if (n < 0) {
            QString e = errori_librerie::descrizione_zip(zip_file_get_error(f));
            zip_fclose(f);
            fallisci(QStringLiteral("parte %1 danneggiata: %2").arg(nome, e));
        }
        if (n == 0) break;
        if (dati.size() + n > limite) {
            zip_fclose(f);
            fallisci(QStringLiteral("la parte %1 supera %2 byte una volta decompressa").arg(nome).arg(limite));
        }
        dati.append(blocco, static_cast<qsizetype>(n));
    }
    zip_fclose(f);
    return dati;
}

// A part parsed, or the reason it cannot be.
class Documento : public ParteXml {
public:
    Documento(QByteArray& dati, const QString& nome) : ParteXml(dati, nome) {
        if (!errore().isEmpty()) fallisci(errore());
    }
};

struct Relazione {
    QString id, tipo, destinazione;
};

// Part names inside the zip carry no leading slash; a target is relative to the
// folder of the part whose relations name it, unless it starts with '/'.
QString risolvi(const QString& cartella, const QString& destinazione) {
    QString p = destinazione.startsWith(u'/') ? destinazione.mid(1) : cartella + destinazione;
    QStringList fuori;
    for (const QString& pezzo : p.split(u'/', Qt::SkipEmptyParts)) {
        if (pezzo == QLatin1String("..")) {
            if (!fuori.isEmpty()) fuori.removeLast();
        } else if (pezzo != QLatin1String(".")) {
            fuori << pezzo;
        }
    }
    return fuori.join(u'/');
}

std::vector<Relazione> leggi_relazioni(QByteArray& dati, const QString& parte, const QString& cartella) {
    std::vector<Relazione> v;
    Documento x(dati, parte);
    for (pugi::xml_node r = x.radice().first_child(); r; r = r.next_sibling()) {
        if (!e_elemento(r, "Relationship") || attributo(r, "TargetMode") == "External") continue;
        v.push_back({qstring(attributo(r, "Id")), qstring(attributo(r, "Type")),
                     risolvi(cartella, qstring(attributo(r, "Target")))});
        if (v.size() > 100000) fallisci(parte + QStringLiteral(": troppe relazioni"));
    }
    return v;
}

const Relazione* per_tipo(const std::vector<Relazione>& v, QStringView fine) {
    for (const auto& r : v)
        if (r.tipo.endsWith(fine)) return &r;
    return nullptr;
}

QString cartella_di(const QString& parte) {
    qsizetype i = parte.lastIndexOf(u'/');
    return i < 0 ? QString() : parte.left(i + 1);
}

// Text of a spreadsheet string, its _xHHHH_ escapes decoded.
QString decodifica_x(QString s) {
    if (!s.contains(QLatin1String("_x"))) return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (const auto c = escape_x(s, i)) {
            out += QChar(*c);
            i += 7;
        } else {
            out += s[i++];
        }
    }
    return out;
}

// The value of <si> or <is>: plain <t>, or the <t> of rich-text runs <r>;
// phonetic guides (<rPh>) are not part of it.
QString testo_ricco(pugi::xml_node n) {
    std::string testo;
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
        if (e_elemento(c, "t")) {
            aggiungi_testo(c, &testo);
        } else if (e_elemento(c, "r")) {
            for (pugi::xml_node t = c.first_child(); t; t = t.next_sibling())
                if (e_elemento(t, "t")) aggiungi_testo(t, &testo);
        }
    }
    return decodifica_x(qstring(testo));
}

std::vector<QString> leggi_stringhe(QByteArray& dati, const QString& parte, int64_t massimo) {
    std::vector<QString> v;
    Documento x(dati, parte);
    for (pugi::xml_node si = x.radice().first_child(); si; si = si.next_sibling()) {
        if (!e_elemento(si, "si")) continue;
        if (static_cast<int64_t>(v.size()) >= massimo)
            fallisci(QStringLiteral("più di %1 stringhe condivise").arg(massimo));
        v.push_back(testo_ricco(si));
    }
    return v;
}

std::string_view senza_spazi(std::string_view t) {
    auto spazio = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!t.empty() && spazio(t.front())) t.remove_prefix(1);
    while (!t.empty() && spazio(t.back())) t.remove_suffix(1);
    return t;
}

// Number text is plain ASCII; from_chars reads it without going through a locale.
double numero(std::string_view v, int riga, int colonna) {
    v = senza_spazi(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    double d = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), d);
    if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size() || !std::isfinite(d))
        fallisci(QStringLiteral("numero non valido nella cella di riga %1, colonna %2").arg(riga).arg(colonna));
    return d;
}

// A whole number, blanks and a leading '+' allowed; nothing for anything else.
std::optional<int64_t> intero(std::string_view v) {
    v = senza_spazi(v);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    int64_t i = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), i);
    if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size()) return std::nullopt;
    return i;
}

enum class TipoCella { Numero, Condivisa, InLinea, Testo, Booleano };

TipoCella tipo_di(std::string_view t) {
    if (t.empty() || t == "n") return TipoCella::Numero;
    if (t == "s") return TipoCella::Condivisa;
    if (t == "inlineStr") return TipoCella::InLinea;
    if (t == "b") return TipoCella::Booleano;
    return TipoCella::Testo;  // "str" (a formula's text), "e" (an error), "d" (a date)
}

FoglioMemoria leggi_foglio(QByteArray& dati, const QString& parte, const std::vector<QString>& stringhe,
                           const LimitiLettura& limiti) {
    // About 30 bytes of markup a cell: room for all of them at once, within the limit.
    FoglioInLettura valori;
    valori.riserva(static_cast<size_t>(std::min<int64_t>(dati.size() / 30, limiti.celle)));
    Documento x(dati, parte);
    int riga = 0, colonna = 0;
    std::string v;
    auto cella = [&](pugi::xml_node c) {
        std::string_view r, t;
        for (pugi::xml_attribute a = c.first_attribute(); a; a = a.next_attribute()) {
            const char* nome = a.name();
            if (nome[0] == 'r' && nome[1] == 0) r = a.value();
            else if (nome[0] == 't' && nome[1] == 0) t = a.value();
        }
        if (r.empty()) {
            if (riga < 1) fallisci(QStringLiteral("cella fuori da una riga"));
            if (++colonna > colonne_massime_foglio) fallisci(QStringLiteral("troppe colonne nella riga %1").arg(riga));
        } else if (!leggi_riferimento(r, &riga, &colonna)) {
            fallisci(QStringLiteral("riferimento di cella non valido: %1").arg(qstring(r)));
        }
        const TipoCella tipo = tipo_di(t);
        ValoreCella valore;
        if (tipo == TipoCella::InLinea) {
            if (pugi::xml_node is = figlio(c, "is")) valore = testo_ricco(is);
        } else if (pugi::xml_node nodo_v = figlio(c, "v")) {
            v.clear();
            aggiungi_testo(nodo_v, &v);
            switch (tipo) {
                case TipoCella::Condivisa: {
                    const auto i = intero(v);
                    if (!i || *i < 0 || *i >= static_cast<int64_t>(stringhe.size()))
                        fallisci(QStringLiteral("stringa condivisa inesistente nella cella di riga %1, colonna %2")
                                     .arg(riga)
                                     .arg(colonna));
                    valore = stringhe[static_cast<size_t>(*i)];
                    break;
                }
                case TipoCella::Testo: valore = decodifica_x(qstring(v)); break;
                case TipoCella::Booleano: valore = numero(v, riga, colonna) != 0; break;
                case TipoCella::Numero:
                    if (!senza_spazi(v).empty()) valore = numero(v, riga, colonna);
                    break;
                case TipoCella::InLinea: break;
            }
        }
        if (std::holds_alternative<std::monostate>(valore)) return;
        if (static_cast<int64_t>(valori.numero()) >= limiti.celle)
            fallisci(QStringLiteral("il foglio ha più di %1 celle").arg(limiti.celle));
        valori.aggiungi(FoglioMemoria::chiave(riga, colonna), std::move(valore));
    };
    const pugi::xml_node dati_foglio = figlio(x.radice(), "sheetData");
    for (pugi::xml_node row = dati_foglio.first_child(); row; row = row.next_sibling()) {
        if (!e_elemento(row, "row")) continue;
        const std::string_view r = attributo(row, "r");
        if (r.empty()) {
            ++riga;
        } else {
            const auto i = intero(r);
            riga = i && *i > 0 && *i <= righe_massime_foglio ? static_cast<int>(*i) : 0;
        }
        if (riga < 1 || riga > righe_massime_foglio)
            fallisci(QStringLiteral("numero di riga non valido: %1").arg(qstring(r)));
        colonna = 0;
        for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling())
            if (e_elemento(c, "c")) cella(c);
    }
    return std::move(valori).concludi();
}

FoglioMemoria leggi(const QByteArray& file, const LimitiLettura& limiti) {
    zip_error_t errore_zip;
    zip_error_init(&errore_zip);
    zip_source_t* sorgente = zip_source_buffer_create(file.constData(), static_cast<zip_uint64_t>(file.size()), 0,
                                                      &errore_zip);
    if (!sorgente) fallisci(errori_librerie::descrizione_zip(&errore_zip));
    Zip z(zip_open_from_source(sorgente, ZIP_RDONLY, &errore_zip));
    if (!z) {
        zip_source_free(sorgente);
        QString e = errori_librerie::descrizione_zip(&errore_zip);
        zip_error_fini(&errore_zip);
        fallisci(QStringLiteral("non è un file .xlsx valido (%1)").arg(e));
    }
    zip_error_fini(&errore_zip);

    // The workbook part, from the package relations.
    QString cartella_parte = QStringLiteral("xl/workbook.xml");
    if (auto rel = leggi_parte(z.get(), QStringLiteral("_rels/.rels"), limiti.byte_parte, file.size())) {
        auto v = leggi_relazioni(*rel, QStringLiteral("_rels/.rels"), QString());
        if (const Relazione* r = per_tipo(v, u"/officeDocument")) cartella_parte = r->destinazione;
    }
    auto wb = leggi_parte(z.get(), cartella_parte, limiti.byte_parte, file.size());
    if (!wb) fallisci(QStringLiteral("manca la cartella di lavoro (%1)").arg(cartella_parte));

    // Sheets in tab order, and which tab is active.
    std::vector<QString> fogli;
    int attivo = 0;
    {
        Documento x(*wb, cartella_parte);
        const pugi::xml_node vista = figlio(figlio(x.radice(), "bookViews"), "workbookView");
        if (const auto t = intero(attributo(vista, "activeTab")); t && *t >= 0 && *t <= 100000)
            attivo = static_cast<int>(*t);
        for (pugi::xml_node f = figlio(x.radice(), "sheets").first_child(); f; f = f.next_sibling()) {
            if (!e_elemento(f, "sheet")) continue;
            fogli.push_back(qstring(attributo_con_prefisso(f, "id")));
            if (fogli.size() > 100000) fallisci(QStringLiteral("troppi fogli"));
        }
    }
    if (fogli.empty()) fallisci(QStringLiteral("la cartella di lavoro non ha fogli"));
    if (attivo < 0 || attivo >= static_cast<int>(fogli.size())) attivo = 0;

    const QString cartella = cartella_di(cartella_parte);
    const QString nome_rel = cartella + QStringLiteral("_rels/") + cartella_parte.mid(cartella.size()) +
                             QStringLiteral(".rels");
    std::vector<Relazione> rel_wb;
    if (auto r = leggi_parte(z.get(), nome_rel, limiti.byte_parte, file.size())) rel_wb = leggi_relazioni(*r, nome_rel, cartella);

    const Relazione* rel_foglio = nullptr;
    for (const auto& r : rel_wb)
        if (r.id == fogli[static_cast<size_t>(attivo)]) rel_foglio = &r;
    if (!rel_foglio) fallisci(QStringLiteral("il foglio attivo non si trova"));
    if (!rel_foglio->tipo.endsWith(QLatin1String("/worksheet")))
        fallisci(QStringLiteral("il foglio attivo non è un foglio di lavoro"));

    std::vector<QString> stringhe;
    const Relazione* rel_stringhe = per_tipo(rel_wb, u"/sharedStrings");
    QString nome_stringhe = rel_stringhe ? rel_stringhe->destinazione : cartella + QStringLiteral("sharedStrings.xml");
    if (auto s = leggi_parte(z.get(), nome_stringhe, limiti.byte_parte, file.size()))
        stringhe = leggi_stringhe(*s, nome_stringhe, limiti.stringhe);

    auto dati_foglio = leggi_parte(z.get(), rel_foglio->destinazione, limiti.byte_parte, file.size());
    if (!dati_foglio) fallisci(QStringLiteral("manca il foglio %1").arg(rel_foglio->destinazione));
    return leggi_foglio(*dati_foglio, rel_foglio->destinazione, stringhe, limiti);
}

}  // namespace

std::optional<FoglioMemoria> leggi_xlsx(const QString& percorso, const LimitiLettura& limiti, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    if (auto r = file_regolare::rifiuto(percorso)) {
        *errore = *r;
        return std::nullopt;
    }
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        *errore = errori_file::descrizione(f);
        return std::nullopt;
    }
    if (f.size() > limiti.byte_file) {
        *errore = QStringLiteral("il file supera %1 byte").arg(limiti.byte_file);
        return std::nullopt;
    }
    const QByteArray dati = f.read(limiti.byte_file + 1);
    if (dati.size() > limiti.byte_file) {
        *errore = QStringLiteral("il file supera %1 byte").arg(limiti.byte_file);
        return std::nullopt;
    }
    try {
        return leggi(dati, limiti);
    } catch (const ErroreLettura& e) {
        *errore = e.descrizione;
    } catch (const std::bad_alloc&) {
        *errore = QStringLiteral("memoria insufficiente");
    }
    return std::nullopt;
}
