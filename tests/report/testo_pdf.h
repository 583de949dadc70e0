#pragma once

// What poppler's pdftotext and pdfinfo read in a PDF: the text as laid out on
// the page, line by line, and the number of pages.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <vector>

// The text of page `pagina` (every page when 0), each line split into its words.
inline std::vector<QStringList> righe_pdf(const QString& percorso, int pagina = 0) {
    QStringList argomenti{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (pagina > 0) argomenti << QStringLiteral("-f") << QString::number(pagina) << QStringLiteral("-l") << QString::number(pagina);
    argomenti << percorso << QStringLiteral("-");
    QProcess p;
    p.start(QStringLiteral("pdftotext"), argomenti);
    p.waitForFinished(30000);
    std::vector<QStringList> righe;
    static const QRegularExpression spazi(QStringLiteral("\\s+"));
    for (const QString& r : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n'))
        righe.push_back(r.split(spazi, Qt::SkipEmptyParts));
    return righe;
}

// How many times `parole` stand one after the other on one line.
inline int volte(const std::vector<QStringList>& righe, const QStringList& parole) {
    int n = 0;
    for (const QStringList& r : righe)
        for (qsizetype i = 0; i + parole.size() <= r.size(); ++i)
            if (r.mid(i, parole.size()) == parole) ++n;
    return n;
}

inline bool in_fila(const std::vector<QStringList>& righe, const QStringList& parole) { return volte(righe, parole) > 0; }

inline int pagine_pdf(const QString& percorso) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {percorso});
    p.waitForFinished(30000);
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}
