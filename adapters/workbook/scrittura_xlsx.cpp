#include "adapters/workbook/scrittura_xlsx.h"

#include "adapters/workbook/errori_librerie.h"
#include "adapters/workbook/bozze.h"
#include "adapters/workbook/foglio_memoria.h"
#include "platform/errori_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>
#include <zip.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <cerrno>
#include <clocale>
#include <string>
#include <string_view>
#include <map>
#include <utility>

namespace {

// One libxlsxwriter format per distinct (number format, bold) pair.
class Formati {
public:
    explicit Formati(lxw_workbook* wb) : wb_(wb) {}
    lxw_format* per(const CellaMemoria& c) {
        if (c.formato_numero.isEmpty() && !c.grassetto) return nullptr;
        auto chiave = std::make_pair(c.formato_numero, c.grassetto);
        auto it = formati_.find(chiave);
        if (it != formati_.end()) return it->second;
        lxw_format* f = workbook_add_format(wb_);
        if (!c.formato_numero.isEmpty()) format_set_num_format(f, c.formato_numero.toUtf8().constData());
        if (c.grassetto) format_set_bold(f);
        formati_.emplace(chiave, f);
        return f;
    }

private:
    lxw_workbook* wb_;
    std::map<std::pair<QString, bool>, lxw_format*> formati_;
};

lxw_error scrivi_cella(lxw_worksheet* ws, lxw_row_t r, lxw_col_t c, const CellaMemoria& cella, lxw_format* f,
                       QString* errore) {
    if (const double* v = std::get_if<double>(&cella.valore)) {
        if (!std::isfinite(*v)) {
            *errore = QStringLiteral("valore numerico non finito nella riga %1").arg(r + 1);
            return LXW_ERROR_PARAMETER_VALIDATION;
        }
        return worksheet_write_number(ws, r, c, *v, f);
    }
    if (const QString* s = std::get_if<QString>(&cella.valore))
        return worksheet_write_string(ws, r, c, s->toUtf8().constData(), f);
    if (const bool* b = std::get_if<bool>(&cella.valore)) return worksheet_write_boolean(ws, r, c, *b ? 1 : 0, f);
    return f ? worksheet_write_blank(ws, r, c, f) : LXW_NO_ERROR;
}

// libxlsxwriter prints numbers with the C library, whose decimal point follows
// the process locale; a workbook always wants ".".
class LocaleNumericoC {
public:
    LocaleNumericoC() {
        const char* attuale = std::setlocale(LC_NUMERIC, nullptr);
        if (attuale) prima_ = attuale;
        std::setlocale(LC_NUMERIC, "C");
    }
    ~LocaleNumericoC() {
        if (!prima_.empty()) std::setlocale(LC_NUMERIC, prima_.c_str());
    }

private:
    std::string prima_;
};

// Builds the workbook file at `destinazione` (a scratch path).
bool componi(const FoglioMemoria& foglio, const QString& destinazione, const QString& cartella_lavoro,
             QString* errore) {
    LocaleNumericoC locale_c;
    QByteArray tmpdir = QFile::encodeName(cartella_lavoro);
    lxw_workbook_options opzioni{};
    opzioni.tmpdir = tmpdir.data();
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(destinazione).constData(), &opzioni);
    if (!wb) {
        *errore = QStringLiteral("impossibile creare la cartella di lavoro");
        return false;
    }
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Foglio1");
    Formati formati(wb);
    QString motivo;
    lxw_error e = ws ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (!e && foglio.larghezza_colonne())
        e = worksheet_set_column(ws, 0, LXW_COL_MAX - 1, *foglio.larghezza_colonne(), nullptr);
    for (auto it = foglio.celle().begin(); !e && it != foglio.celle().end(); ++it) {
        auto r = static_cast<lxw_row_t>(FoglioMemoria::riga_di(it->first) - 1);
        auto c = static_cast<lxw_col_t>(FoglioMemoria::colonna_di(it->first) - 1);
        e = scrivi_cella(ws, r, c, it->second, formati.per(it->second), &motivo);
    }
    errno = 0;  // what a failing file operation of the library leaves behind
    lxw_error chiusura = workbook_close(wb);  // frees the workbook in every case
    const int numero_errore = errno;
    if (e) {
        *errore = motivo.isEmpty() ? errori_librerie::descrizione_xlsxwriter(e, 0) : motivo;
        return false;
    }
    if (chiusura) {
        *errore = errori_librerie::descrizione_xlsxwriter(chiusura, numero_errore);
        return false;
    }
    return true;
}

// The shortest text that reads back as exactly `v`.
QByteArray testo_esatto(double v) {
    char b[32];
    auto r = std::to_chars(b, b + sizeof b, v);
    return QByteArray(b, static_cast<qsizetype>(r.ptr - b));
}

// libxlsxwriter writes numbers with 16 significant digits, which does not give
// every double back (0.1 + 0.2 comes back as 0.3). The workbook program stores
// 17, so the sheet part is rewritten with the shortest exact text of each number.
QByteArray numeri_esatti(const QByteArray& xml, const FoglioMemoria& foglio, bool* cambiato) {
    const std::string_view x(xml.constData(), static_cast<size_t>(xml.size()));
    QByteArray out;
    out.reserve(xml.size() + xml.size() / 8);
    size_t i = 0;
    *cambiato = false;
    for (;;) {
        size_t c = x.find("<c r=\"", i);
        if (c == x.npos) break;
        size_t fine_rif = x.find('"', c + 6);
        size_t fine_tag = x.find('>', c);
        if (fine_rif == x.npos || fine_tag == x.npos || fine_rif > fine_tag) break;
        out.append(xml.constData() + i, static_cast<qsizetype>(fine_tag + 1 - i));
        i = fine_tag + 1;
        const std::string_view tag = x.substr(c, fine_tag - c);
        if (tag.back() == '/' || tag.find(" t=\"") != tag.npos || x.substr(i, 3) != "<v>") continue;
        size_t fine_v = x.find("</v>", i);
        if (fine_v == x.npos) break;
        int riga = 0, colonna = 0;
        const CellaMemoria* cella = nullptr;
        const size_t lunghezza = fine_rif - c - 6;
        char16_t rif[16];
        if (lunghezza < 16) {
            for (size_t j = 0; j < lunghezza; ++j) rif[j] = static_cast<unsigned char>(x[c + 6 + j]);
            if (leggi_riferimento(QStringView(rif, static_cast<qsizetype>(lunghezza)), &riga, &colonna))
                cella = foglio.cella(riga, colonna);
        }
        const double* v = cella ? std::get_if<double>(&cella->valore) : nullptr;
        if (!v) continue;
        const char* inizio = x.data() + i + 3;
        const char* fine = x.data() + fine_v;
        double letto = 0;
        auto r = std::from_chars(inizio, fine, letto);
        if (r.ec != std::errc() || r.ptr != fine || letto != *v) {
            out += "<v>" + testo_esatto(*v);
            i = fine_v;
            *cambiato = true;
        }
    }
    out.append(xml.constData() + i, static_cast<qsizetype>(x.size() - i));
    return out;
}

// One part of the draft, whole: false when it cannot be read to its end.
bool leggi_parte(zip_t* z, zip_uint64_t indice, QByteArray* dati) {
    zip_file_t* f = zip_fopen_index(z, indice, 0);
    if (!f) return false;
    char b[1 << 16];
    zip_int64_t n;
    while ((n = zip_fread(f, b, sizeof b)) > 0) dati->append(b, static_cast<qsizetype>(n));
    zip_fclose(f);
    return n == 0;
}

// Whether an XML part ends with the end of its root element. The spreadsheet
// library does not check its own writes: on a full disk it packs whatever part
// of a part reached its scratch file, and the package looks sound.
bool xml_completo(const QByteArray& xml) {
    qsizetype i = 0;
    while ((i = xml.indexOf('<', i)) >= 0 && i + 1 < xml.size() && (xml[i + 1] == '?' || xml[i + 1] == '!')) ++i;
    if (i < 0 || i + 1 >= xml.size()) return false;
    qsizetype fine_nome = i + 1;
    static constexpr char fine_nome_xml[] = " \t\r\n/>";
    while (fine_nome < xml.size() && !std::memchr(fine_nome_xml, xml[fine_nome], sizeof fine_nome_xml - 1)) ++fine_nome;
    const QByteArray radice = xml.mid(i + 1, fine_nome - i - 1);
    const QByteArray coda = xml.trimmed();
    if (radice.isEmpty()) return false;
    if (coda.endsWith("</" + radice + ">")) return true;
    // A root with no content: <radice ... />, and nothing after it.
    const qsizetype chiusa = xml.indexOf('>', i);
    return chiusa > 0 && xml[chiusa - 1] == '/' && coda.size() == xml.left(chiusa + 1).trimmed().size();
}

bool rendi_esatti(const QString& bozza, const FoglioMemoria& foglio, QString* errore) {
    int e = 0;
    zip_t* z = zip_open(QFile::encodeName(bozza).constData(), 0, &e);
    if (!z) {
        *errore = QStringLiteral("cartella di lavoro scritta male (zip %1)").arg(e);
        return false;
    }
    const char* nome = "xl/worksheets/sheet1.xml";
    zip_int64_t indice = zip_name_locate(z, nome, 0);
    QByteArray xml;
    // Every part must be there whole before the draft may replace anything.
    const zip_int64_t parti = zip_get_num_entries(z, 0);
    for (zip_int64_t k = 0; k < parti; ++k) {
        QByteArray parte;
        const char* nome_parte = zip_get_name(z, static_cast<zip_uint64_t>(k), 0);
        const QByteArray nome_b(nome_parte ? nome_parte : "");
        const bool xml_atteso = nome_b.endsWith(".xml") || nome_b.endsWith(".rels");
        if (!leggi_parte(z, static_cast<zip_uint64_t>(k), &parte) || (xml_atteso && !xml_completo(parte))) {
            *errore = QStringLiteral("cartella di lavoro scritta male (parte %1 incompleta: disco pieno?)")
                          .arg(QString::fromUtf8(nome_b.isEmpty() ? QByteArray("?") : nome_b));
            zip_discard(z);  // frees the part names too
            return false;
        }
        if (k == indice) xml = std::move(parte);
    }
    if (indice < 0 || xml.isEmpty()) {
        zip_discard(z);
        *errore = QStringLiteral("cartella di lavoro scritta male (manca il foglio)");
        return false;
    }
    bool cambiato = false;
    const QByteArray nuovo = numeri_esatti(xml, foglio, &cambiato);
    if (!cambiato) {
        zip_discard(z);
        return true;
    }
    // The part goes in as a new entry: libzip keeps the level of a replaced entry
    // that was already deflated (level 9 here, slow on large sheets), while a new
    // entry takes the fastest level, which packs this repetitive markup well anyway.
    zip_source_t* s = zip_source_buffer(z, nuovo.constData(), static_cast<zip_uint64_t>(nuovo.size()), 0);
    zip_int64_t nuovo_indice = -1;
    if (!s || zip_delete(z, static_cast<zip_uint64_t>(indice)) < 0 ||
        (nuovo_indice = zip_file_add(z, nome, s, 0)) < 0) {
        zip_source_free(s);
        *errore = errori_librerie::descrizione_zip(zip_get_error(z));
        zip_discard(z);
        return false;
    }
    zip_set_file_compression(z, static_cast<zip_uint64_t>(nuovo_indice), ZIP_CM_DEFLATE, 1);
    if (zip_close(z) < 0) {
        *errore = errori_librerie::descrizione_zip(zip_get_error(z));
        zip_discard(z);
        return false;
    }
    return true;
}

}  // namespace

bool scrivi_xlsx(const FoglioMemoria& foglio, const QString& percorso, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    QTemporaryDir lavoro(bozze::modello());
    if (!lavoro.isValid()) {
        *errore = QStringLiteral("cartella temporanea non disponibile: ") + errori_file::traduci(lavoro.errorString());
        return false;
    }
    const QString bozza = lavoro.filePath(QStringLiteral("cartella.xlsx"));
    if (!componi(foglio, bozza, lavoro.path(), errore)) return false;
    if (!rendi_esatti(bozza, foglio, errore)) return false;

    QFile letto(bozza);
    if (!letto.open(QIODevice::ReadOnly)) {
        *errore = errori_file::descrizione(letto);
        return false;
    }
    const QByteArray contenuto = letto.readAll();
    if (contenuto.size() != letto.size()) {
        *errore = errori_file::descrizione(letto);
        return false;
    }
    // QSaveFile writes beside the target and renames over it only after a
    // complete write and a flush to disk; until commit() the target is untouched.
    QSaveFile uscita(percorso);
    if (!uscita.open(QIODevice::WriteOnly)) {
        *errore = errori_file::descrizione(uscita);
        return false;
    }
    if (uscita.write(contenuto) != contenuto.size()) {
        *errore = errori_file::descrizione(uscita);
        uscita.cancelWriting();
        return false;
    }
    if (!uscita.commit()) {
        *errore = errori_file::descrizione(uscita);
        return false;
    }
    return true;
}
