#include "history/file_prova.h"

#include "core/numeri.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace file_prova {

bool estensione_di_prova(const QString& nome_file) {
    const QString estensione = QFileInfo(nome_file).suffix().toLower();
    return estensione == QLatin1String("xlsx") || estensione == QLatin1String("xls") ||
           estensione == QLatin1String("csv");
}

bool estensione_csv(const QString& nome_file) {
    return QFileInfo(nome_file).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

std::vector<FileProva> elenca(const QString& cartella_atleta) {
    std::vector<FileProva> file;
    const QDir atleta(cartella_atleta);
    for (const QString& sotto : {QString(), cartella_archivio}) {
        const QDir cartella(sotto.isEmpty() ? atleta.path() : atleta.filePath(sotto));
        for (const QFileInfo& info : cartella.entryInfoList(QDir::Files, QDir::Name)) {
            if (!estensione_di_prova(info.fileName())) continue;
            file.push_back({info.absoluteFilePath(), atleta.relativeFilePath(info.absoluteFilePath()), info.size(),
                            info.lastModified().toMSecsSinceEpoch()});
        }
    }
    return file;
}

std::optional<DatiNome> dati_dal_nome(const QString& nome_file) {
    const QFileInfo info(nome_file);
    const QString base = info.completeBaseName();
    static const QRegularExpression archivio(
        QStringLiteral("^(.*)_(\\d{4})-(\\d{2})-(\\d{2})_(\\d{2})-(\\d{2})-(\\d{2})$"));
    if (const auto m = archivio.match(base); m.hasMatch()) {
        const QDateTime quando(QDate(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt()),
                               QTime(m.captured(5).toInt(), m.captured(6).toInt(), m.captured(7).toInt()));
        if (quando.isValid()) return DatiNome{m.captured(1), quando};
    }
    const qsizetype trattino = base.lastIndexOf(u'_');
    if (trattino < 0) return std::nullopt;
    const QDateTime quando = numeri::leggi_marca_temporale(QStringView(base).mid(trattino + 1));
    if (!quando.isValid()) return std::nullopt;
    return DatiNome{base.left(trattino), quando};
}

}  // namespace file_prova
