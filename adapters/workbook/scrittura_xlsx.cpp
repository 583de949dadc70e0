#include "adapters/workbook/scrittura_xlsx.h"

#include "adapters/workbook/foglio_memoria.h"
#include "adapters/workbook/parti_xlsx.h"

#include <QSaveFile>

#include <zip.h>

namespace {

// The fastest deflate level: the markup repeats enough to shrink four times
// anyway, and the stronger levels cost three times the processor time.
constexpr zip_uint32_t livello_compressione = 1;

QString errore_zip(zip_error_t* e) { return QString::fromUtf8(zip_error_strerror(e)); }

// The package, built in memory: nothing reaches the disk until it is whole.
bool impacchetta(const std::vector<ParteXlsx>& parti, QByteArray* pacchetto, QString* errore) {
    zip_error_t e;
    zip_error_init(&e);
    zip_source_t* memoria = zip_source_buffer_create(nullptr, 0, 0, &e);
    if (!memoria) {
        *errore = errore_zip(&e);
        zip_error_fini(&e);
        return false;
    }
    zip_t* z = zip_open_from_source(memoria, ZIP_TRUNCATE, &e);
    if (!z) {
        *errore = errore_zip(&e);
        zip_error_fini(&e);
        zip_source_free(memoria);
        return false;
    }
    zip_error_fini(&e);
    zip_source_keep(memoria);  // it outlives the archive: the bytes are read from it after the close
    bool ok = true;
    for (const ParteXlsx& p : parti) {
        zip_source_t* s = zip_source_buffer(z, p.xml.data(), p.xml.size(), 0);
        const zip_int64_t indice = s ? zip_file_add(z, p.nome, s, ZIP_FL_ENC_UTF_8) : -1;
        if (indice < 0 || zip_set_file_compression(z, static_cast<zip_uint64_t>(indice), ZIP_CM_DEFLATE,
                                                   livello_compressione) < 0) {
            if (s && indice < 0) zip_source_free(s);
            ok = false;
            break;
        }
    }
    if (!ok || zip_close(z) < 0) {  // the parts are compressed here; they are still alive
        *errore = QString::fromUtf8(zip_strerror(z));
        zip_discard(z);
        zip_source_free(memoria);
        return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    ok = zip_source_stat(memoria, &st) == 0 && (st.valid & ZIP_STAT_SIZE) && zip_source_open(memoria) == 0;
    if (ok) {
        pacchetto->resize(static_cast<qsizetype>(st.size));
        ok = zip_source_read(memoria, pacchetto->data(), st.size) == static_cast<zip_int64_t>(st.size);
        zip_source_close(memoria);
    }
    if (!ok) *errore = QString::fromUtf8(zip_error_strerror(zip_source_error(memoria)));
    zip_source_free(memoria);
    return ok;
}

}  // namespace

bool scrivi_xlsx(const FoglioMemoria& foglio, const QString& percorso, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    const auto parti = parti_xlsx(foglio, errore);
    if (!parti) return false;
    QByteArray pacchetto;
    if (!impacchetta(*parti, &pacchetto, errore)) return false;

    // QSaveFile writes beside the target and renames over it only after a
    // complete write and a flush to disk; until commit() the target is untouched.
    QSaveFile uscita(percorso);
    if (!uscita.open(QIODevice::WriteOnly)) {
        *errore = uscita.errorString();
        return false;
    }
    if (uscita.write(pacchetto) != pacchetto.size()) {
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
