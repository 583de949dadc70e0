#include "history/file_prova.h"

#include "core/numeri.h"
#include "files/giornali_prove.h"

#include <QDir>
#include <QFileInfo>

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
    for (const QString& sotto : {QString(), giornali_prove::nome_cartella_prove}) {
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
    if (auto archivio = formato_archivio::leggi_nome_file(base)) return archivio;
    const qsizetype trattino = base.lastIndexOf(u'_');
    if (trattino < 0) return std::nullopt;
    const QDateTime quando = numeri::leggi_marca_temporale(QStringView(base).mid(trattino + 1));
    if (!quando.isValid()) return std::nullopt;
    return DatiNome{base.left(trattino), quando};
}

}  // namespace file_prova
