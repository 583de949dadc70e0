#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <utility>

// Files that must survive the end of the program and of the power: written in
// full, flushed to the disk, and only then put under their name. Failures come
// back as a short Italian reason (errori_file's words).
namespace file_durevole {

// Creates the folder and the ones above it.
bool crea_cartella(const QString& cartella, QString* motivo);

// `contenuto` under `percorso`: a temporary file beside it, written, flushed to
// disk, renamed over the name, and the folder flushed too. A failure leaves what
// was under the name before.
bool scrivi_atomico(const QString& percorso, const QByteArray& contenuto, QString* motivo);

bool rimuovi(const QString& percorso, QString* motivo);

// An existing file opened for appending: every write goes to its end.
class Aggiunta {
public:
    Aggiunta() = default;
    ~Aggiunta() { chiudi(); }
    Aggiunta(const Aggiunta&) = delete;
    Aggiunta& operator=(const Aggiunta&) = delete;

    bool apri(const QString& percorso, QString* motivo);
    bool aperta() const { return fd_ >= 0; }
    // All of it, or false (what went through stays: the caller writes the file anew).
    bool scrivi(const char* dati, size_t n);
    bool scrivi(const QByteArray& b) { return scrivi(b.constData(), static_cast<size_t>(b.size())); }
    // Flushes what was written to the disk.
    bool sincronizza();
    void chiudi();
    void scambia(Aggiunta& altra) { std::swap(fd_, altra.fd_); }

private:
    int fd_ = -1;
};

}  // namespace file_durevole
