#include "app/testo_informazioni.h"

#include "files/giornali_prove.h"

#include <QDir>

QString testo_informazioni(const QString& testo_versione, const QString& cartella_programma,
                           const QString& cartella_utente) {
    const QString prove = QDir::toNativeSeparators(
        QDir::cleanPath(giornali_prove::cartella_prove(cartella_utente, cartella_programma)));
    QString t = testo_versione + QStringLiteral("\n\nRegistro di squadre, atleti ed esercizi:\n") +
                QDir::toNativeSeparators(QDir::cleanPath(cartella_programma)) +
                QStringLiteral("\n\nArchivio delle prove: la cartella \"%1\" di ogni atleta")
                    .arg(giornali_prove::nome_cartella_prove);
    t += cartella_utente.isEmpty() ? QStringLiteral("; senza un atleta scelto:\n")
                                   : QStringLiteral("; per l'atleta scelto:\n");
    return t + prove;
}
