#include "athletes/disco_registro.h"

#include "platform/cartelle.h"
#include "platform/errori_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace disco_registro {

std::optional<QString> crea_cartella(const QString& percorso) {
    const auto errore = cartelle::crea(percorso);
    if (!errore) return std::nullopt;
    return QStringLiteral("%1 (%2)").arg(*errore, QDir::toNativeSeparators(percorso));
}

std::optional<QString> scrivi_file(const QString& percorso, const QByteArray& contenuto) {
    QSaveFile f(percorso);
    auto errore = [&]() {
        const QString descrizione = errori_file::descrizione(f);
        f.cancelWriting();
        return std::optional<QString>(QStringLiteral("%1 (%2)").arg(descrizione, QDir::toNativeSeparators(percorso)));
    };
    if (!f.open(QIODevice::WriteOnly)) return errore();
    if (f.write(contenuto) != contenuto.size()) return errore();
    if (!f.commit()) return errore();
    return std::nullopt;
}

Letto leggi_file(const QString& percorso) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        return {{}, QStringLiteral("%1 (%2)").arg(errori_file::descrizione(f), QDir::toNativeSeparators(percorso))};
    }
    return {f.readAll(), {}};
}

}  // namespace disco_registro
