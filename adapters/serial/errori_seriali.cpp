#include "adapters/serial/errori_seriali.h"

#include "platform/permesso_negato.h"

#include <QFileInfo>

namespace errori_seriali {

QString descrizione(QSerialPort::SerialPortError errore, const QString& dispositivo, const Permesso& permesso) {
    const QString d = dispositivo;
    switch (errore) {
    case QSerialPort::NoError:
        return QStringLiteral("Nessun errore sulla porta seriale %1.").arg(d);
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("La porta seriale %1 non esiste: la Scheda non è collegata o la porta scelta non è "
                              "la sua. Collegare la Scheda oppure scegliere un'altra porta (Impostazioni, "
                              "Parametri Porta....).")
            .arg(d);
    case QSerialPort::PermissionError: {
        if (!permesso.negato)
            return QStringLiteral("La porta seriale %1 è già usata da un altro programma: chiuderlo e riprovare.")
                .arg(d);
        // The owner group, unless it is root's: nobody should join that one.
        const QString g = permesso.gruppo.isEmpty() || permesso.gruppo == QLatin1String("root")
                              ? QStringLiteral("dialout")
                              : permesso.gruppo;
        return QStringLiteral("Questo utente non ha il permesso di usare la porta seriale %1.\n\n"
                              "Aggiungere l'utente al gruppo %2, che possiede la porta (da un terminale: "
                              "sudo usermod -aG %2 $USER), poi uscire dalla sessione e rientrare.")
            .arg(d, g);
    }
    case QSerialPort::OpenError:
        return QStringLiteral("La porta seriale %1 è già aperta.").arg(d);
    case QSerialPort::NotOpenError:
        return QStringLiteral("La porta seriale %1 non è aperta.").arg(d);
    case QSerialPort::WriteError:
        return QStringLiteral("Errore di scrittura sulla porta seriale %1: controllare il cavo della Scheda.").arg(d);
    case QSerialPort::ReadError:
        return QStringLiteral("Errore di lettura dalla porta seriale %1: controllare il cavo della Scheda.").arg(d);
    case QSerialPort::ResourceError:
        return QStringLiteral("La porta seriale %1 non risponde più: la Scheda è stata staccata? Ricollegarla.")
            .arg(d);
    case QSerialPort::UnsupportedOperationError:
        return QStringLiteral("La porta seriale %1 non permette questa operazione.").arg(d);
    case QSerialPort::TimeoutError:
        return QStringLiteral("Tempo scaduto sulla porta seriale %1.").arg(d);
    case QSerialPort::UnknownError:
        break;
    }
    return QStringLiteral("Errore sconosciuto sulla porta seriale %1.").arg(d);
}

QString descrizione_di_sistema(QSerialPort::SerialPortError errore, const QString& dispositivo) {
    Permesso p;
    if (errore == QSerialPort::PermissionError) {
        p.negato = permesso_negato(dispositivo);
        p.gruppo = QFileInfo(dispositivo).group();
    }
    return descrizione(errore, dispositivo, p);
}

}  // namespace errori_seriali
