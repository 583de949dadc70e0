#include "athletes/nomi_cartelle.h"

#include <QDir>
#include <QRegularExpression>

namespace nomi_cartelle {

namespace {
bool vietato(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c);
}
}  // namespace

bool sicuro(const QString& nome) {
    if (nome.trimmed().isEmpty()) return false;
    if (nome.endsWith(u'.') || nome.endsWith(u' ')) return false;
    for (QChar c : nome)
        if (vietato(c)) return false;
    static const QRegularExpression riservato(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    return !riservato.match(nome).hasMatch();
}

QString rendi_sicuro(const QString& nome, const QString& vuoto) {
    QString r;
    r.reserve(nome.size());
    for (QChar c : nome) r += vietato(c) ? QChar(u'_') : c;
    r = r.trimmed();
    while (r.endsWith(u'.') || r.endsWith(u' ')) r.chop(1);
    if (r.isEmpty()) return vuoto;
    if (!sicuro(r)) r.prepend(u'_');
    return r;
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
