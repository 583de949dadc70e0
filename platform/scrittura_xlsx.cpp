#include "platform/scrittura_xlsx.h"

#include "platform/foglio_memoria.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <cmath>
#include <map>
#include <utility>

namespace {

QString testo_errore(lxw_error e) { return QString::fromUtf8(lxw_strerror(e)); }

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

// Builds the workbook file at `destinazione` (a scratch path).
bool componi(const FoglioMemoria& foglio, const QString& destinazione, const QString& cartella_lavoro,
             QString* errore) {
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
    lxw_error chiusura = workbook_close(wb);  // frees the workbook in every case
    if (e) {
        *errore = motivo.isEmpty() ? testo_errore(e) : motivo;
        return false;
    }
    if (chiusura) {
        *errore = testo_errore(chiusura);
        return false;
    }
    return true;
}

}  // namespace

bool scrivi_xlsx(const FoglioMemoria& foglio, const QString& percorso, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    QTemporaryDir lavoro;
    if (!lavoro.isValid()) {
        *errore = QStringLiteral("cartella temporanea non disponibile: ") + lavoro.errorString();
        return false;
    }
    const QString bozza = lavoro.filePath(QStringLiteral("cartella.xlsx"));
    if (!componi(foglio, bozza, lavoro.path(), errore)) return false;

    QFile letto(bozza);
    if (!letto.open(QIODevice::ReadOnly)) {
        *errore = letto.errorString();
        return false;
    }
    const QByteArray contenuto = letto.readAll();
    if (contenuto.size() != letto.size()) {
        *errore = letto.errorString();
        return false;
    }
    // QSaveFile writes beside the target and renames over it only after a
    // complete write and a flush to disk; until commit() the target is untouched.
    QSaveFile uscita(percorso);
    if (!uscita.open(QIODevice::WriteOnly)) {
        *errore = uscita.errorString();
        return false;
    }
    if (uscita.write(contenuto) != contenuto.size()) {
        *errore = uscita.errorString();
        uscita.cancelWriting();
        return false;
    }
    if (!uscita.commit()) {
        *errore = uscita.errorString();
        return false;
    }
    return true;
}
