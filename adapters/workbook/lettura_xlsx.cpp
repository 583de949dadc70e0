// .xlsx reader: the workbook is a zip of XML parts. From the package relations
// it finds the workbook part, from the workbook the active sheet and from the
// workbook's relations that sheet's part and the shared-string table.
#include "adapters/workbook/errori_librerie.h"
#include "adapters/workbook/lettura_cartelle.h"
#include "platform/errori_file.h"

#include <QFile>
#include <QXmlStreamReader>

#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
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

// One part of the package, decompressed, never more than `limite` bytes whatever
// the zip directory claims.
std::optional<QByteArray> leggi_parte(zip_t* z, const QString& nome, int64_t limite) {
    zip_int64_t indice = zip_name_locate(z, nome.toUtf8().constData(), ZIP_FL_NOCASE);
    if (indice < 0) return std::nullopt;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(z, static_cast<zip_uint64_t>(indice), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE) &&
        st.size > static_cast<zip_uint64_t>(limite))
        fallisci(QStringLiteral("la parte %1 è troppo grande (%2 byte)").arg(nome).arg(st.size));
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

// A reader that refuses document type declarations (no workbook has one; they
// are the way in for entity-expansion attacks).
class Xml {
public:
    Xml(const QByteArray& dati, QString parte) : x_(dati), parte_(std::move(parte)) {}
    bool avanti() {
        auto t = x_.readNext();
        if (t == QXmlStreamReader::DTD) fallisci(QStringLiteral("%1: dichiarazione DTD non ammessa").arg(parte_));
        if (x_.hasError())
            fallisci(QStringLiteral("%1: XML non valido (%2, riga %3)").arg(parte_, x_.errorString()).arg(x_.lineNumber()));
        attributi_letti_ = false;
        return !x_.atEnd();
    }
    bool apertura(QStringView nome) const { return x_.isStartElement() && x_.name() == nome; }
    bool chiusura(QStringView nome) const { return x_.isEndElement() && x_.name() == nome; }
    // Attributes of the element just opened; valid until the next step.
    QStringView attributo(const char* nome) { return attributi().value(QLatin1StringView(nome)); }
    // An attribute by local name in any namespace (r:id, whatever the prefix).
    QStringView attributo_qualificato(QStringView locale) {
        for (const auto& a : attributi())
            if (a.name() == locale && !a.namespaceUri().isEmpty()) return a.value();
        return {};
    }
    QXmlStreamReader& r() { return x_; }

private:
    const QXmlStreamAttributes& attributi() {
        if (!attributi_letti_) {
            attributi_ = x_.attributes();
            attributi_letti_ = true;
        }
        return attributi_;
    }
    bool attributi_letti_ = false;
    QXmlStreamReader x_;
    QXmlStreamAttributes attributi_;
    QString parte_;
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

std::vector<Relazione> leggi_relazioni(const QByteArray& dati, const QString& parte, const QString& cartella) {
    std::vector<Relazione> v;
    Xml x(dati, parte);
    while (x.avanti()) {
        if (!x.apertura(u"Relationship")) continue;
        if (x.attributo("TargetMode") == QLatin1String("External")) continue;
        v.push_back({x.attributo("Id").toString(), x.attributo("Type").toString(),
                     risolvi(cartella, x.attributo("Target").toString())});
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

// Text of a spreadsheet string: characters that XML cannot carry are written
// as _xHHHH_.
QString decodifica_x(QString s) {
    if (!s.contains(QLatin1String("_x"))) return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] == u'_' && i + 6 < s.size() && s[i + 1] == u'x' && s[i + 6] == u'_') {
            bool ok = false;
            uint u = QStringView(s).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(static_cast<char16_t>(u));
                i += 7;
                continue;
            }
        }
        out += s[i++];
    }
    return out;
}

// Text runs of <si> or <is>: plain <t>, or rich-text runs <r><t>; phonetic
// guides (<rPh>) are not part of the value.
class TestoRicco {
public:
    void evento(Xml& x) {
        if (x.apertura(u"rPh")) ++fonetica_;
        else if (x.chiusura(u"rPh")) --fonetica_;
        else if (x.apertura(u"t") && fonetica_ == 0) dentro_t_ = true;
        else if (x.chiusura(u"t")) dentro_t_ = false;
        else if (dentro_t_ && x.r().isCharacters()) testo_ += x.r().text();
    }
    QString prendi() {
        QString t = decodifica_x(std::move(testo_));
        testo_.clear();
        dentro_t_ = false;
        fonetica_ = 0;
        return t;
    }

private:
    QString testo_;
    bool dentro_t_ = false;
    int fonetica_ = 0;
};

std::vector<QString> leggi_stringhe(const QByteArray& dati, const QString& parte, int64_t massimo) {
    std::vector<QString> v;
    Xml x(dati, parte);
    TestoRicco testo;
    bool dentro = false;
    while (x.avanti()) {
        if (x.apertura(u"si")) {
            dentro = true;
            testo.prendi();
        } else if (x.chiusura(u"si")) {
            if (static_cast<int64_t>(v.size()) >= massimo)
                fallisci(QStringLiteral("più di %1 stringhe condivise").arg(massimo));
            v.push_back(testo.prendi());
            dentro = false;
        } else if (dentro) {
            testo.evento(x);
        }
    }
    return v;
}

double numero(QStringView v, int riga, int colonna) {
    v = v.trimmed();
    // Number text is plain ASCII; from_chars reads it without going through a locale.
    char b[64];
    bool ok = !v.isEmpty() && v.size() < qsizetype(sizeof b);
    for (qsizetype i = 0; ok && i < v.size(); ++i) {
        char16_t u = v[i].unicode();
        ok = u < 0x80;
        b[i] = static_cast<char>(u);
    }
    double d = 0;
    if (ok) {
        const char* inizio = b[0] == '+' ? b + 1 : b;
        auto r = std::from_chars(inizio, b + v.size(), d);
        ok = r.ec == std::errc() && r.ptr == b + v.size() && std::isfinite(d);
    }
    if (!ok) fallisci(QStringLiteral("numero non valido nella cella di riga %1, colonna %2").arg(riga).arg(colonna));
    return d;
}

enum class TipoCella { Numero, Condivisa, InLinea, Testo, Booleano };

TipoCella tipo_di(QStringView t) {
    if (t.isEmpty() || t == u"n") return TipoCella::Numero;
    if (t == u"s") return TipoCella::Condivisa;
    if (t == u"inlineStr") return TipoCella::InLinea;
    if (t == u"b") return TipoCella::Booleano;
    return TipoCella::Testo;  // "str" (a formula's text), "e" (an error), "d" (a date)
}

FoglioMemoria leggi_foglio(const QByteArray& dati, const QString& parte, const std::vector<QString>& stringhe,
                           const LimitiLettura& limiti) {
    Xml x(dati, parte);
    std::vector<std::pair<FoglioMemoria::Chiave, ValoreCella>> valori;
    // About 30 bytes of markup a cell: room for all of them at once, within the limit.
    valori.reserve(static_cast<size_t>(std::min<int64_t>(dati.size() / 30, limiti.celle)));
    bool dati_foglio = false;
    int riga = 0, colonna = 0;
    // The cell being read.
    bool in_cella = false, in_v = false, in_is = false;
    TipoCella tipo = TipoCella::Numero;
    QString v;
    TestoRicco in_linea;
    auto chiudi_cella = [&] {
        ValoreCella valore;
        switch (tipo) {
            case TipoCella::Condivisa: {
                bool ok = false;
                qlonglong i = QStringView(v).trimmed().toLongLong(&ok);
                if (!ok || i < 0 || i >= static_cast<qlonglong>(stringhe.size()))
                    fallisci(QStringLiteral("stringa condivisa inesistente nella cella di riga %1, colonna %2")
                                 .arg(riga)
                                 .arg(colonna));
                valore = stringhe[static_cast<size_t>(i)];
                break;
            }
            case TipoCella::InLinea: valore = in_linea.prendi(); break;
            case TipoCella::Testo: valore = decodifica_x(v); break;
            case TipoCella::Booleano: valore = numero(v, riga, colonna) != 0; break;
            case TipoCella::Numero:
                if (!QStringView(v).trimmed().isEmpty()) valore = numero(v, riga, colonna);
                break;
        }
        if (std::holds_alternative<std::monostate>(valore)) return;
        if (static_cast<int64_t>(valori.size()) >= limiti.celle)
            fallisci(QStringLiteral("il foglio ha più di %1 celle").arg(limiti.celle));
        valori.emplace_back(FoglioMemoria::chiave(riga, colonna), std::move(valore));
    };
    while (x.avanti()) {
        const auto t = x.r().tokenType();
        if (!dati_foglio) {
            dati_foglio = x.apertura(u"sheetData");
            continue;
        }
        if (in_cella) {
            if (t == QXmlStreamReader::Characters) {
                if (in_v) v += x.r().text();
                else if (in_is) in_linea.evento(x);
            } else if (t == QXmlStreamReader::StartElement) {
                if (in_is) in_linea.evento(x);
                else if (x.r().name() == u"v") in_v = true;
                else if (x.r().name() == u"is") in_is = true;
            } else if (t == QXmlStreamReader::EndElement) {
                const QStringView n = x.r().name();
                if (n == u"v") {
                    in_v = false;
                } else if (n == u"is") {
                    in_is = false;
                } else if (in_is) {
                    in_linea.evento(x);
                } else if (n == u"c") {
                    in_cella = false;
                    chiudi_cella();
                }
            }
            continue;
        }
        if (t == QXmlStreamReader::StartElement) {
            const QStringView n = x.r().name();
            if (n == u"c") {
                QStringView r = x.attributo("r");
                if (r.isEmpty()) {
                    if (riga < 1) fallisci(QStringLiteral("cella fuori da una riga"));
                    if (++colonna > colonne_massime_foglio)
                        fallisci(QStringLiteral("troppe colonne nella riga %1").arg(riga));
                } else if (!leggi_riferimento(r, &riga, &colonna)) {
                    fallisci(QStringLiteral("riferimento di cella non valido: %1").arg(r.toString()));
                }
                in_cella = true;
                in_v = in_is = false;
                tipo = tipo_di(x.attributo("t"));
                v.truncate(0);
                in_linea.prendi();
            } else if (n == u"row") {
                QStringView r = x.attributo("r");
                if (r.isEmpty()) {
                    ++riga;
                } else {
                    bool ok = false;
                    riga = r.toInt(&ok);
                    if (!ok) riga = 0;
                }
                if (riga < 1 || riga > righe_massime_foglio)
                    fallisci(QStringLiteral("numero di riga non valido: %1").arg(r.toString()));
                colonna = 0;
            }
        } else if (x.chiusura(u"sheetData")) {
            break;
        }
    }
    return FoglioMemoria::da_valori(std::move(valori));
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
    if (auto rel = leggi_parte(z.get(), QStringLiteral("_rels/.rels"), limiti.byte_parte)) {
        auto v = leggi_relazioni(*rel, QStringLiteral("_rels/.rels"), QString());
        if (const Relazione* r = per_tipo(v, u"/officeDocument")) cartella_parte = r->destinazione;
    }
    auto wb = leggi_parte(z.get(), cartella_parte, limiti.byte_parte);
    if (!wb) fallisci(QStringLiteral("manca la cartella di lavoro (%1)").arg(cartella_parte));

    // Sheets in tab order, and which tab is active.
    std::vector<QString> fogli;
    int attivo = 0;
    {
        Xml x(*wb, cartella_parte);
        bool vista_letta = false;
        while (x.avanti()) {
            if (x.apertura(u"workbookView") && !vista_letta) {
                vista_letta = true;
                bool ok = false;
                int t = x.attributo("activeTab").toInt(&ok);
                if (ok) attivo = t;
            } else if (x.apertura(u"sheet")) {
                fogli.push_back(x.attributo_qualificato(u"id").toString());
                if (fogli.size() > 100000) fallisci(QStringLiteral("troppi fogli"));
            }
        }
    }
    if (fogli.empty()) fallisci(QStringLiteral("la cartella di lavoro non ha fogli"));
    if (attivo < 0 || attivo >= static_cast<int>(fogli.size())) attivo = 0;

    const QString cartella = cartella_di(cartella_parte);
    const QString nome_rel = cartella + QStringLiteral("_rels/") + cartella_parte.mid(cartella.size()) +
                             QStringLiteral(".rels");
    std::vector<Relazione> rel_wb;
    if (auto r = leggi_parte(z.get(), nome_rel, limiti.byte_parte)) rel_wb = leggi_relazioni(*r, nome_rel, cartella);

    const Relazione* rel_foglio = nullptr;
    for (const auto& r : rel_wb)
        if (r.id == fogli[static_cast<size_t>(attivo)]) rel_foglio = &r;
    if (!rel_foglio) fallisci(QStringLiteral("il foglio attivo non si trova"));
    if (!rel_foglio->tipo.endsWith(QLatin1String("/worksheet")))
        fallisci(QStringLiteral("il foglio attivo non è un foglio di lavoro"));

    std::vector<QString> stringhe;
    const Relazione* rel_stringhe = per_tipo(rel_wb, u"/sharedStrings");
    QString nome_stringhe = rel_stringhe ? rel_stringhe->destinazione : cartella + QStringLiteral("sharedStrings.xml");
    if (auto s = leggi_parte(z.get(), nome_stringhe, limiti.byte_parte))
        stringhe = leggi_stringhe(*s, nome_stringhe, limiti.stringhe);

    auto dati_foglio = leggi_parte(z.get(), rel_foglio->destinazione, limiti.byte_parte);
    if (!dati_foglio) fallisci(QStringLiteral("manca il foglio %1").arg(rel_foglio->destinazione));
    return leggi_foglio(*dati_foglio, rel_foglio->destinazione, stringhe, limiti);
}

}  // namespace

std::optional<FoglioMemoria> leggi_xlsx(const QString& percorso, const LimitiLettura& limiti, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
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
