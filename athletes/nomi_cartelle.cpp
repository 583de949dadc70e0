#include "athletes/nomi_cartelle.h"

#include <QDir>
#include <QRegularExpression>

namespace nomi_cartelle {

bool sicuro(const QString& nome) {
    if (nome.trimmed().isEmpty()) return false;
    if (nome.endsWith(u'.') || nome.endsWith(u' ')) return false;
    for (QChar c : nome) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
        if (QStringView(u"/\\:*?\"<>|").contains(c)) return false;
    }
    static const QRegularExpression riservato(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    return !riservato.match(nome).hasMatch();
}

QString messaggio_nome_non_valido(const QString& nome) {
    return QStringLiteral(
               "Nome non valido: \"%1\".\n"
               "Il nome di una squadra o di un atleta diventa il nome di una cartella: non può essere vuoto, "
               "contenere i caratteri / \\ : * ? \" < > | o caratteri di controllo, terminare con un punto "
               "o uno spazio, né essere un nome riservato del sistema (CON, PRN, AUX, NUL, COM1..., LPT1...).")
        .arg(nome);
}

std::optional<QString> cartella_squadra(const QString& programma, const QString& squadra) {
    if (squadra.isEmpty()) return QDir(programma).path();
    if (!sicuro(squadra)) return std::nullopt;
    return QDir(programma).filePath(squadra);
}

std::optional<QString> file_atleta(const QString& programma, const QString& squadra, const QString& atleta) {
    auto squadra_dir = cartella_squadra(programma, squadra);
    if (!squadra_dir || !sicuro(atleta)) return std::nullopt;
    return QDir(QDir(*squadra_dir).filePath(atleta)).filePath(atleta + QStringLiteral(".cfg"));
}

}  // namespace nomi_cartelle
