#include "app/testo_informazioni.h"

#include <QDir>

QString testo_informazioni(const QString& testo_versione, const QString& cartella_programma,
                           const QString& cartella_utente) {
    const auto prove = [](const QString& c) {
        return QDir::toNativeSeparators(QDir::cleanPath(QDir(c).filePath(QStringLiteral("prove"))));
    };
    QString t = testo_versione + QStringLiteral("\n\nRegistro di squadre, atleti ed esercizi:\n") +
                QDir::toNativeSeparators(QDir::cleanPath(cartella_programma)) +
                QStringLiteral("\n\nArchivio delle prove: la cartella \"prove\" di ogni atleta");
    if (cartella_utente.isEmpty())
        t += QStringLiteral("; senza un atleta scelto:\n") + prove(cartella_programma);
    else
        t += QStringLiteral("; per l'atleta scelto:\n") + prove(cartella_utente);
    return t;
}
