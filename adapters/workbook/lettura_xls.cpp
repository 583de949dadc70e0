// Legacy .xls (BIFF) reader on libfreexl.
#include "adapters/workbook/lettura_cartelle.h"
#include "platform/file_regolare.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

#ifdef Q_OS_UNIX
#include <QDataStream>
#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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

// The reading itself, in this process.
static std::optional<FoglioMemoria> leggi_qui(const QString& percorso, const LimitiLettura& limiti, QString* errore) {
    if (auto r = file_regolare::rifiuto(percorso)) {
        *errore = *r;
        return std::nullopt;
    }
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

#ifdef Q_OS_UNIX
// libfreexl is not safe on damaged files (some crash it outright), so on
// POSIX systems it reads in a child process: the child sends the sheet's cells
// or its error through a pipe, and a child that dies, hangs past the deadline or
// sends a short answer is a damaged file, never the program's end. Any thread
// may read: the child is waited for by its own process id, the pipe is the
// reader's own, and no signal handler is touched.
namespace {

constexpr int secondi_massimi_xls = 20;

bool tubo_chiuso_su_exec(int tubo[2]) {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD) || defined(Q_OS_NETBSD) || defined(Q_OS_OPENBSD)
    return ::pipe2(tubo, O_CLOEXEC) == 0;
#else
    if (::pipe(tubo) != 0) return false;
    ::fcntl(tubo[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(tubo[1], F_SETFD, FD_CLOEXEC);
    return true;
#endif
}

void invia_tutto(int fd, const QByteArray& dati) {
    qsizetype fatto = 0;
    while (fatto < dati.size()) {
        const ssize_t n = ::write(fd, dati.constData() + fatto, static_cast<size_t>(dati.size() - fatto));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        fatto += n;
    }
}

[[noreturn]] void leggi_nel_figlio(int fd, const QString& percorso, const LimitiLettura& limiti) {
    QString errore;
    const auto foglio = leggi_qui(percorso, limiti, &errore);
    QByteArray dati;
    {
        QDataStream out(&dati, QIODevice::WriteOnly);
        out << quint8(foglio ? 'F' : 'E');
        if (!foglio) {
            out << errore;
        } else {
            out << quint64(foglio->numero_celle());
            for (const auto& [chiave, cella] : foglio->celle()) {
                out << quint64(chiave);
                if (const double* d = std::get_if<double>(&cella.valore)) out << quint8(1) << *d;
                else if (const QString* t = std::get_if<QString>(&cella.valore)) out << quint8(2) << *t;
                else if (const bool* b = std::get_if<bool>(&cella.valore)) out << quint8(3) << *b;
                else out << quint8(0);
            }
        }
        out << quint8('.');  // the answer is whole
    }
    invia_tutto(fd, dati);
    ::close(fd);
    ::_exit(0);
}

std::optional<FoglioMemoria> risposta_del_figlio(const QByteArray& dati, const LimitiLettura& limiti, QString* errore) {
    const QString guasto = QStringLiteral("file .xls danneggiato (risposta incompleta del lettore)");
    QDataStream in(dati);
    quint8 tipo = 0;
    in >> tipo;
    if (tipo == 'E') {
        QString e;
        quint8 fine = 0;
        in >> e >> fine;
        *errore = in.status() == QDataStream::Ok && fine == '.' ? e : guasto;
        return std::nullopt;
    }
    quint64 n = 0;
    in >> n;
    if (tipo != 'F' || in.status() != QDataStream::Ok || n > static_cast<quint64>(limiti.celle)) {
        *errore = guasto;
        return std::nullopt;
    }
    FoglioInLettura valori;
    valori.riserva(static_cast<size_t>(n));
    for (quint64 k = 0; k < n && in.status() == QDataStream::Ok; ++k) {
        quint64 chiave = 0;
        quint8 t = 0;
        in >> chiave >> t;
        ValoreCella v;
        if (t == 1) {
            double d = 0;
            in >> d;
            v = d;
        } else if (t == 2) {
            QString s;
            in >> s;
            v = s;
        } else if (t == 3) {
            bool b = false;
            in >> b;
            v = b;
        }
        const int r = FoglioMemoria::riga_di(chiave), c = FoglioMemoria::colonna_di(chiave);
        if (r < 1 || r > righe_massime_foglio || c < 1 || c > colonne_massime_foglio) break;
        valori.aggiungi(chiave, std::move(v));
    }
    quint8 fine = 0;
    in >> fine;
    if (in.status() != QDataStream::Ok || fine != '.' || valori.numero() != n) {
        *errore = guasto;
        return std::nullopt;
    }
    return std::move(valori).concludi();
}

}  // namespace

std::optional<FoglioMemoria> leggi_xls(const QString& percorso, const LimitiLettura& limiti, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    // The pipe is closed on exec: a program another thread starts meanwhile must
    // not keep its end open, or the answer would never end.
    int tubo[2];
    if (!tubo_chiuso_su_exec(tubo)) return leggi_qui(percorso, limiti, errore);
    const pid_t figlio = ::fork();
    if (figlio < 0) {
        ::close(tubo[0]);
        ::close(tubo[1]);
        return leggi_qui(percorso, limiti, errore);
    }
    if (figlio == 0) {
        ::close(tubo[0]);
        leggi_nel_figlio(tubo[1], percorso, limiti);
    }
    ::close(tubo[1]);
    QByteArray dati;
    QDeadlineTimer scadenza(secondi_massimi_xls * 1000);
    bool scaduto = false;
    for (;;) {
        pollfd p{tubo[0], POLLIN, 0};
        const int pronto = ::poll(&p, 1, static_cast<int>(std::min<qint64>(scadenza.remainingTime(), 1000)));
        if (pronto < 0 && errno == EINTR) continue;
        if (pronto == 0) {
            if (scadenza.hasExpired()) {
                scaduto = true;
                break;
            }
            continue;
        }
        char blocco[1 << 16];
        const ssize_t n = ::read(tubo[0], blocco, sizeof blocco);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        dati.append(blocco, n);
    }
    ::close(tubo[0]);
    if (scaduto) ::kill(figlio, SIGKILL);
    int stato = 0;
    while (::waitpid(figlio, &stato, 0) < 0 && errno == EINTR) {
    }
    if (scaduto) {
        *errore = QStringLiteral("file .xls danneggiato (lettura oltre %1 s)").arg(secondi_massimi_xls);
        return std::nullopt;
    }
    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
        *errore = QStringLiteral("file .xls gravemente danneggiato (il lettore si è interrotto)");
        return std::nullopt;
    }
    return risposta_del_figlio(dati, limiti, errore);
}
#else
std::optional<FoglioMemoria> leggi_xls(const QString& percorso, const LimitiLettura& limiti, QString* errore) {
    QString scarto;
    return leggi_qui(percorso, limiti, errore ? errore : &scarto);
}
#endif
