#include "athletes/nomi_cartelle.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace nomi_cartelle {

bool carattere_vietato(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F || QStringView(u"/\\:*?\"<>|").contains(c);
}

bool sicuro(const QString& nome) {
    if (nome.trimmed().isEmpty()) return false;
    if (nome.endsWith(u'.') || nome.endsWith(u' ')) return false;
    for (QChar c : nome)
        if (carattere_vietato(c)) return false;
    static const QRegularExpression riservato(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    return !riservato.match(nome).hasMatch();
}

QString rendi_sicuro(const QString& nome, const QString& vuoto) {
    QString r;
    r.reserve(nome.size());
    for (QChar c : nome) r += carattere_vietato(c) ? QChar(u'_') : c;
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

qsizetype lunghezza_su_disco(const QString& s) {
#ifdef Q_OS_WIN
    return s.size();
#else
    return QFile::encodeName(s).size();
#endif
}

QString accorcia(const QString& nome, qsizetype massimo) {
    if (lunghezza_su_disco(nome) <= massimo) return nome;
    qsizetype fine = 0, lunghezza = 0;
    while (fine < nome.size()) {
        // A character outside the basic plane is two units, never cut apart.
        const qsizetype unita = nome[fine].isHighSurrogate() && fine + 1 < nome.size() ? 2 : 1;
        const qsizetype l = lunghezza_su_disco(nome.mid(fine, unita));
        if (lunghezza + l > massimo) break;
        lunghezza += l;
        fine += unita;
    }
    return nome.left(fine);
}

namespace {

// A name or a path as a message can show it: a very long one is cut (a path keeps its end).
QString per_messaggio(const QString& testo, bool tieni_la_fine = false) {
    constexpr qsizetype mostrati = 40;
    if (testo.size() <= mostrati) return testo;
    return tieni_la_fine ? QStringLiteral("…") + testo.right(mostrati) : testo.left(mostrati) + QStringLiteral("…");
}

QString troppo_lungo(const QString& nome, const QString& perche) {
    return QStringLiteral("Nome troppo lungo: \"%1\" (%2 caratteri).\n%3\nScegliere un nome più corto.")
        .arg(per_messaggio(nome))
        .arg(nome.size())
        .arg(perche);
}

}  // namespace

std::optional<QString> rifiuto(const QString& programma, const QString& squadra, const QString& atleta) {
    for (const QString& nome : {squadra, atleta})
        if (!nome.isEmpty() && !sicuro(nome)) return messaggio_nome_non_valido(nome);
    // The athlete's file name is its longest component.
    const QString componente_atleta = atleta.isEmpty() ? QString() : atleta + QStringLiteral(".cfg");
    const QString perche_componente = QStringLiteral(
        "Il nome di una squadra o di un atleta diventa il nome di una cartella, e il disco non accetta "
        "nomi di cartella o di file oltre %1 byte (una lettera accentata ne occupa più di uno).")
                                          .arg(componente_massimo);
    if (lunghezza_su_disco(squadra) > componente_massimo) return troppo_lungo(squadra, perche_componente);
    if (lunghezza_su_disco(componente_atleta) > componente_massimo) return troppo_lungo(atleta, perche_componente);

    QString percorso = QDir(programma).absolutePath();
    for (const QString& parte : {squadra, atleta, componente_atleta})
        if (!parte.isEmpty()) percorso += QLatin1Char('/') + parte;
    if (lunghezza_su_disco(QDir::toNativeSeparators(percorso)) > percorso_massimo) {
        return troppo_lungo(atleta.isEmpty() ? squadra : atleta,
                            QStringLiteral("Il percorso della sua cartella nella cartella del programma (%1) "
                                           "supererebbe il limite del sistema di %2 caratteri.")
                                .arg(per_messaggio(QDir::toNativeSeparators(QDir(programma).absolutePath()), true))
                                .arg(percorso_massimo));
    }
    return std::nullopt;
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
