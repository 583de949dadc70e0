#include "adapters/workbook/fogli_file.h"

#include "platform/errori_file.h"
#include "platform/file_regolare.h"

#include <QFile>

std::unique_ptr<CartellaLavoro> FogliDiCalcoloFile::nuova() { return std::make_unique<CartellaMemoria>(); }

std::unique_ptr<CartellaLavoro> FogliDiCalcoloFile::apri(const QString& percorso, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    if (auto r = file_regolare::rifiuto(percorso)) {
        *errore = *r;
        return nullptr;
    }
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        *errore = errori_file::descrizione(f);
        return nullptr;
    }
    const QByteArray firma = f.read(8);
    f.close();
    std::optional<FoglioMemoria> foglio;
    if (firma.startsWith("PK\x03\x04")) {
        foglio = leggi_xlsx(percorso, limiti_, errore);
    } else if (firma == QByteArray::fromHex("D0CF11E0A1B11AE1")) {
        foglio = leggi_xls(percorso, limiti_, errore);
    } else {
        *errore = QStringLiteral("formato del file non riconosciuto");
        return nullptr;
    }
    if (!foglio) return nullptr;
    return std::make_unique<CartellaMemoria>(std::move(*foglio));
}
