#include "adapters/workbook/scrittura_xlsx.h"

#include "adapters/workbook/archivio_zip.h"
#include "adapters/workbook/foglio_memoria.h"
#include "adapters/workbook/parti_xlsx.h"
#include "platform/errori_file.h"

#include <QSaveFile>

bool scrivi_xlsx(const FoglioMemoria& foglio, const QString& percorso, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    // The whole package is built in memory: nothing reaches the disk until it is whole.
    const auto parti = parti_xlsx(foglio, errore);
    if (!parti) return false;
    std::vector<VoceZip> voci;
    for (const ParteXlsx& p : *parti) voci.push_back({p.nome, p.xml});
    const auto pacchetto = archivio_zip(voci, QDateTime::currentDateTime(), errore);
    if (!pacchetto) return false;

    // QSaveFile writes beside the target and renames over it only after a
    // complete write and a flush to disk; until commit() the target is untouched.
    QSaveFile uscita(percorso);
    if (!uscita.open(QIODevice::WriteOnly)) {
        *errore = errori_file::descrizione(uscita);
        return false;
    }
    if (uscita.write(*pacchetto) != pacchetto->size()) {
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
