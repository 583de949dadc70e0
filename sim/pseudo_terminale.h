#pragma once

#include <QString>

#include <memory>

// The board's end of a serial line for simulated boards: a new pseudo-terminal
// (the program opens its other end, `percorso()`) or an existing device.
// Reads and writes never block. Only on systems with pseudo-terminals.
class PseudoTerminale {
public:
    // A new pseudo-terminal in raw mode. Its far end is kept open here too, so
    // the program may close and reopen it; closing this object hangs the line up.
    static std::unique_ptr<PseudoTerminale> crea(QString* errore = nullptr);
    // An existing device, put in raw mode.
    static std::unique_ptr<PseudoTerminale> apri(const QString& percorso, QString* errore = nullptr);
    ~PseudoTerminale();
    PseudoTerminale(const PseudoTerminale&) = delete;
    PseudoTerminale& operator=(const PseudoTerminale&) = delete;

    int descrittore() const { return fd_; }
    QString percorso() const { return percorso_; }
    // Bytes written (0 when the line cannot take more now), -1 on error.
    long scrivi(const char* dati, long n);
    // Bytes read (0 when there is nothing), -1 on error or hang-up.
    long leggi(char* dati, long n);
    void chiudi();

private:
    PseudoTerminale() = default;
    int fd_ = -1;
    int lontano_ = -1;
    QString percorso_;
};
