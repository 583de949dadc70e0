#include "platform/errori_file.h"

#include <QCoreApplication>
#include <QFileDevice>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

namespace errori_file {

namespace {

struct Voce {
    int numero;
    const char* testo;
};

// The errors a file or folder operation can meet, with their Italian descriptions.
constexpr Voce voci[] = {
    {EACCES, "permesso negato"},
    {EPERM, "operazione non permessa"},
    {ENOENT, "file o cartella inesistente"},
    {ENOTDIR, "una parte del percorso non è una cartella"},
    {EISDIR, "è una cartella, non un file"},
    {EEXIST, "esiste già"},
    {ENAMETOOLONG, "nome del file troppo lungo"},
    {ENOSPC, "spazio esaurito sul disco"},
#ifdef EDQUOT
    {EDQUOT, "spazio concesso sul disco esaurito"},
#endif
    {EROFS, "disco di sola lettura"},
    {EFBIG, "file troppo grande"},
    {EIO, "errore di lettura o scrittura del disco"},
    {EMFILE, "troppi file aperti"},
    {ENFILE, "troppi file aperti nel sistema"},
    {ENOMEM, "memoria insufficiente"},
    {EBUSY, "file o dispositivo occupato"},
#ifdef ETXTBSY
    {ETXTBSY, "file in uso"},
#endif
    {EXDEV, "spostamento tra dischi diversi non possibile"},
#ifdef ELOOP
    {ELOOP, "troppi collegamenti simbolici nel percorso"},
#endif
    {ENOTEMPTY, "la cartella non è vuota"},
    {EINVAL, "argomento non valido"},
    {EAGAIN, "risorsa momentaneamente non disponibile"},
    {EINTR, "operazione interrotta"},
    {ENXIO, "dispositivo inesistente"},
    {ENODEV, "dispositivo inesistente"},
#ifdef ESTALE
    {ESTALE, "file non più disponibile sul disco di rete"},
#endif
#ifdef ETIMEDOUT
    {ETIMEDOUT, "tempo scaduto"},
#endif
    {EBADF, "file non aperto"},
    {ESPIPE, "posizionamento nel file non possibile"},
    {EMLINK, "troppi collegamenti"},
#ifdef ENOTSUP
    {ENOTSUP, "operazione non supportata"},
#endif
};

// The texts Qt gives for these four without asking the system (translated, when
// its translation is loaded).
constexpr std::array<Voce, 4> testi_qt = {{{EACCES, "Permission denied"},
                                          {EMFILE, "Too many open files"},
                                          {ENOENT, "No such file or directory"},
                                          {ENOSPC, "No space left on device"}}};

std::optional<int> numero_di(const QString& testo) {
    const QString t = testo.trimmed();
    if (t.isEmpty()) return std::nullopt;
    for (const Voce& v : testi_qt)
        if (t == QLatin1String(v.testo) || t == QCoreApplication::translate("QIODevice", v.testo)) return v.numero;
    for (const Voce& v : voci)
        if (t == QString::fromLocal8Bit(std::strerror(v.numero)).trimmed()) return v.numero;
    return std::nullopt;
}

QString per_tipo(QFileDevice::FileError tipo, bool scrittura) {
    switch (tipo) {
        case QFileDevice::NoError:
        case QFileDevice::UnspecifiedError:
            // Nothing recorded: a transfer that stopped part way.
            return scrittura ? QStringLiteral("scrittura interrotta a metà (disco pieno o non più raggiungibile)")
                             : QStringLiteral("lettura interrotta a metà (file troncato o non più raggiungibile)");
        case QFileDevice::ReadError: return QStringLiteral("errore di lettura del file");
        case QFileDevice::WriteError: return QStringLiteral("errore di scrittura del file");
        case QFileDevice::FatalError: return QStringLiteral("errore grave del disco");
        case QFileDevice::ResourceError: return QStringLiteral("risorse esaurite (disco pieno o troppi file aperti)");
        case QFileDevice::OpenError: return QStringLiteral("impossibile aprire il file");
        case QFileDevice::AbortError: return QStringLiteral("operazione interrotta");
        case QFileDevice::TimeOutError: return QStringLiteral("tempo scaduto");
        case QFileDevice::RemoveError: return QStringLiteral("impossibile eliminare il file");
        case QFileDevice::RenameError: return QStringLiteral("impossibile rinominare il file");
        case QFileDevice::PositionError: return QStringLiteral("posizionamento nel file non possibile");
        case QFileDevice::ResizeError: return QStringLiteral("impossibile cambiare la dimensione del file");
        case QFileDevice::PermissionsError: return QStringLiteral("impossibile cambiare i permessi del file");
        case QFileDevice::CopyError: return QStringLiteral("impossibile copiare il file");
    }
    return QStringLiteral("errore del file");
}

bool testo_qt_predefinito(const QString& testo) {
    const QString t = testo.trimmed();
    return t.isEmpty() || t == QLatin1String("Unknown error") || t == QIODevice::tr("Unknown error");
}

}  // namespace

QString descrizione(int numero_errore) {
    for (const Voce& v : voci)
        if (v.numero == numero_errore) return QString::fromUtf8(v.testo);
    return QStringLiteral("errore di sistema %1").arg(numero_errore);
}

QString descrizione(const std::error_code& codice) {
    const std::error_condition condizione = codice.default_error_condition();
    if (condizione.category() == std::generic_category()) return descrizione(condizione.value());
    return QStringLiteral("errore di sistema %1").arg(codice.value());
}

QString descrizione(const QFileDevice& f) {
    const QString testo = f.errorString();
    if (auto numero = numero_di(testo)) return descrizione(*numero);
    const QString tipo = per_tipo(f.error(), f.openMode() & QIODevice::WriteOnly);
    // A text the table does not know (the system's own, already in the user's
    // language on Windows) is kept after the kind of failure.
    return testo_qt_predefinito(testo) ? tipo : tipo + QStringLiteral(": ") + testo.trimmed();
}

}  // namespace errori_file
