// Legacy .xls (BIFF) reader on libfreexl.
#include "platform/lettura_cartelle.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

namespace {

QString descrizione_freexl(int codice) {
    switch (codice) {
        case FREEXL_FILE_NOT_FOUND: return QStringLiteral("file non trovato o non leggibile");
        case FREEXL_INSUFFICIENT_MEMORY: return QStringLiteral("memoria insufficiente");
        case FREEXL_INVALID_CFBF_HEADER:
        case FREEXL_CFBF_INVALID_SIGNATURE:
        case FREEXL_CFBF_INVALID_SECTOR_SIZE: return QStringLiteral("non è un file .xls valido");
        case FREEXL_BIFF_WORKBOOK_NOT_FOUND: return QStringLiteral("il file non contiene una cartella di lavoro");
        case FREEXL_BIFF_ILLEGAL_SHEET_INDEX: return QStringLiteral("la cartella di lavoro non ha fogli");
        case FREEXL_UNSUPPORTED_CHARSET:
        case FREEXL_INVALID_CHARACTER: return QStringLiteral("codifica dei caratteri non supportata");
        case FREEXL_CRAFTED_FILE: return QStringLiteral("file .xls gravemente danneggiato");
        default: return QStringLiteral("file .xls danneggiato (codice %1)").arg(codice);
    }
}

class Maniglia {
public:
    ~Maniglia() {
        if (h_) freexl_close(h_);
    }
    const void** indirizzo() { return &h_; }
    const void* get() const { return h_; }

private:
    const void* h_ = nullptr;
};

}  // namespace

std::optional<FoglioMemoria> leggi_xls(const QString& percorso, const LimitiLettura& limiti, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    QFileInfo info(percorso);
    if (!info.isFile() || !info.isReadable()) {
        *errore = QStringLiteral("file non trovato o non leggibile");
        return std::nullopt;
    }
    if (info.size() > limiti.byte_file) {
        *errore = QStringLiteral("il file supera %1 byte").arg(limiti.byte_file);
        return std::nullopt;
    }
    Maniglia h;
    // freexl_close is due even when the open fails.
    int e = freexl_open(QFile::encodeName(percorso).constData(), h.indirizzo());
    if (e != FREEXL_OK) {
        *errore = descrizione_freexl(e);
        return std::nullopt;
    }
    unsigned int fogli = 0;
    e = freexl_get_info(h.get(), FREEXL_BIFF_SHEET_COUNT, &fogli);
    if (e != FREEXL_OK || fogli == 0) {
        *errore = descrizione_freexl(e == FREEXL_OK ? FREEXL_BIFF_ILLEGAL_SHEET_INDEX : e);
        return std::nullopt;
    }
    if ((e = freexl_select_active_worksheet(h.get(), 0)) != FREEXL_OK) {
        *errore = descrizione_freexl(e);
        return std::nullopt;
    }
    unsigned int righe = 0;
    unsigned short colonne = 0;
    if ((e = freexl_worksheet_dimensions(h.get(), &righe, &colonne)) != FREEXL_OK) {
        *errore = descrizione_freexl(e);
        return std::nullopt;
    }
    if (righe > static_cast<unsigned int>(righe_massime_foglio) || colonne > colonne_massime_foglio) {
        *errore = QStringLiteral("dimensioni del foglio non valide");
        return std::nullopt;
    }
    FoglioMemoria foglio;
    int64_t celle = 0;
    for (unsigned int r = 0; r < righe; ++r) {
        for (unsigned short c = 0; c < colonne; ++c) {
            FreeXL_CellValue v;
            if ((e = freexl_get_cell_value(h.get(), r, c, &v)) != FREEXL_OK) {
                *errore = descrizione_freexl(e);
                return std::nullopt;
            }
            ValoreCella valore;
            switch (v.type) {
                case FREEXL_CELL_INT: valore = static_cast<double>(v.value.int_value); break;
                case FREEXL_CELL_DOUBLE: valore = v.value.double_value; break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME: valore = QString::fromUtf8(v.value.text_value); break;
                default: break;
            }
            if (std::holds_alternative<std::monostate>(valore)) continue;
            if (++celle > limiti.celle) {
                *errore = QStringLiteral("il foglio ha più di %1 celle").arg(limiti.celle);
                return std::nullopt;
            }
            foglio.scrivi(static_cast<int>(r) + 1, c + 1, valore);
        }
    }
    return foglio;
}
