#pragma once

#include <QString>

#include <optional>

// Team and athlete names become folder names inside the program folder, so a
// name is used as a path only when it is one plain folder name on every system.
namespace nomi_cartelle {

// True for a character no folder or file name may hold on some system:
// / \ : * ? " < > | and the control characters.
bool carattere_vietato(QChar c);

// False for a name that is empty after trimming, ends in a dot or a blank
// ("." and ".." included), contains a carattere_vietato, or is a reserved device
// name (CON, NUL, COM1, ...).
bool sicuro(const QString& nome);

// A name made into one that sicuro() accepts: every forbidden or control character
// becomes "_", trailing dots and blanks go, a reserved device name gets a leading
// "_", and a name left empty becomes `vuoto`.
QString rendi_sicuro(const QString& nome, const QString& vuoto);

// The message shown when "Nuovo" refuses a team or athlete name.
QString messaggio_nome_non_valido(const QString& nome);

// What the file system holds, measured in its encoding (bytes of the file name
// encoding; UTF-16 units on Windows): one path component, and a whole path (the
// system's limit less its terminating NUL).
constexpr qsizetype componente_massimo = 255;
#ifdef Q_OS_WIN
constexpr qsizetype percorso_massimo = 259;  // MAX_PATH
#else
constexpr qsizetype percorso_massimo = 4095;  // PATH_MAX
#endif

// How long `s` is as the file system measures a name (see above).
qsizetype lunghezza_su_disco(const QString& s);

// `nome` cut, if need be, to at most `massimo` of lunghezza_su_disco, never
// inside a character.
QString accorcia(const QString& nome, qsizetype massimo);

// Why a team, and its athlete when one is given, cannot become folders of the
// program folder `programma`: the message to show, or nothing when they can. Each
// name must be `sicuro`, and the deepest path they make (programma / team /
// athlete / athlete ".cfg") must fit the file system: no component over
// `componente_massimo`, the whole path within `percorso_massimo`. An empty name is
// not checked (an empty team is the program folder itself).
std::optional<QString> rifiuto(const QString& programma, const QString& squadra, const QString& atleta = {});

// The team folder: program folder / team. An empty team is the program folder
// itself; an unsafe team gives nothing.
std::optional<QString> cartella_squadra(const QString& programma, const QString& squadra);

// program folder / team / athlete / athlete ".cfg"; nothing when the athlete is
// empty or either name is unsafe.
std::optional<QString> file_atleta(const QString& programma, const QString& squadra, const QString& atleta);

}  // namespace nomi_cartelle
