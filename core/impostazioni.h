#pragma once

#include <QLocale>
#include <QString>

class ArchivioImpostazioni;
struct SessioneAtleta;

// Sections and keys of the settings store.
namespace chiavi {
inline const QString funz = QStringLiteral("funz");
inline const QString proprieta = QStringLiteral("Properties");
inline const QString max_indice = QStringLiteral("max_indice0");
inline QString indice_utente(int i) { return QStringLiteral("indice_utente_%1").arg(i); }
inline const QString nome_utente = QStringLiteral("nome_utente");
inline const QString carico_utente = QStringLiteral("carico_utente");
inline const QString macchina_utente = QStringLiteral("macchina_utente");
inline const QString t_volo_min = QStringLiteral("t_n_min");
inline const QString squadra = QStringLiteral("squadra");          // the configuration dialog's team
inline const QString pos_squadra = QStringLiteral("pos_squadra");  // its selected team position
inline const QString pos_utente = QStringLiteral("pos_utente");    // its selected athlete position
inline const QString comm_port = QStringLiteral("CommPort");  // serial port number, default "1"
inline const QString port_path = QStringLiteral("PortPath");  // device used for every port number
}  // namespace chiavi

// Loads the athlete values, the dialog positions and the minimum flight time.
// Missing keys give their defaults; text that is no number reads as 0.
void carica_impostazioni(SessioneAtleta& sessione, const ArchivioImpostazioni& archivio);
// Writes them back; the load is written with the locale's decimal separator.
void salva_impostazioni(const SessioneAtleta& sessione, ArchivioImpostazioni& archivio,
                        const QLocale& locale = QLocale());
