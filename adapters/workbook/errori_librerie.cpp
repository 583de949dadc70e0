#include "adapters/workbook/errori_librerie.h"

#include "platform/errori_file.h"

namespace errori_librerie {

namespace {

QString testo_zip(int codice) {
    switch (codice) {
        case ZIP_ER_MULTIDISK: return QStringLiteral("archivio su più dischi non supportato");
        case ZIP_ER_RENAME: return QStringLiteral("impossibile rinominare il file temporaneo");
        case ZIP_ER_CLOSE: return QStringLiteral("impossibile chiudere l'archivio");
        case ZIP_ER_SEEK:
        case ZIP_ER_TELL: return QStringLiteral("posizionamento nel file non riuscito");
        case ZIP_ER_READ: return QStringLiteral("errore di lettura");
        case ZIP_ER_WRITE: return QStringLiteral("errore di scrittura");
        case ZIP_ER_CRC: return QStringLiteral("dati danneggiati (controllo CRC non superato)");
        case ZIP_ER_NOENT: return QStringLiteral("parte inesistente nell'archivio");
        case ZIP_ER_EXISTS: return QStringLiteral("il file esiste già");
        case ZIP_ER_OPEN: return QStringLiteral("impossibile aprire il file");
        case ZIP_ER_TMPOPEN: return QStringLiteral("impossibile creare il file temporaneo");
        case ZIP_ER_ZLIB:
        case ZIP_ER_COMPRESSED_DATA: return QStringLiteral("dati compressi non validi");
        case ZIP_ER_MEMORY: return QStringLiteral("memoria insufficiente");
        case ZIP_ER_COMPNOTSUPP: return QStringLiteral("metodo di compressione non supportato");
        case ZIP_ER_EOF: return QStringLiteral("il file finisce prima del previsto");
        case ZIP_ER_NOZIP: return QStringLiteral("non è un archivio zip");
        case ZIP_ER_INCONS: return QStringLiteral("archivio zip incoerente");
        case ZIP_ER_REMOVE: return QStringLiteral("impossibile eliminare il file");
        case ZIP_ER_ENCRNOTSUPP:
        case ZIP_ER_NOPASSWD:
        case ZIP_ER_WRONGPASSWD: return QStringLiteral("archivio cifrato, non supportato");
        case ZIP_ER_RDONLY: return QStringLiteral("archivio di sola lettura");
        default: return QStringLiteral("errore dell'archivio zip (codice %1)").arg(codice);
    }
}

}  // namespace

QString descrizione_zip(const zip_error_t* errore) {
    auto* e = const_cast<zip_error_t*>(errore);  // libzip's accessors take no const
    const QString testo = testo_zip(zip_error_code_zip(e));
    if (zip_error_system_type(e) == ZIP_ET_SYS && zip_error_code_system(e) != 0)
        return testo + QStringLiteral(": ") + errori_file::descrizione(zip_error_code_system(e));
    return testo;
}

}  // namespace errori_librerie
