#include "files/giornali_prove.h"

#include "files/file_durevole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <mutex>

namespace giornali_prove {

namespace {
// The record is read and rewritten by the archive's thread and by the recovery.
std::mutex& guardia_registro() {
    static std::mutex m;
    return m;
}

QString assoluto(const QString& p) { return QDir::cleanPath(QFileInfo(p).absoluteFilePath()); }

void scrivi_registro(const QString& registro, const QStringList& voci) {
    if (!file_durevole::crea_cartella(QFileInfo(registro).absolutePath(), nullptr)) return;
    (void)file_durevole::scrivi_atomico(registro, voci.isEmpty() ? QByteArray() : (voci.join(u'\n') + u'\n').toUtf8(),
                                        nullptr);
}
}  // namespace

QString cartella_prove(const QString& cartella_utente, const QString& programma) {
    return QDir(cartella_utente.isEmpty() ? programma : cartella_utente).filePath(nome_cartella_prove);
}

QString file_registro(const QString& programma) {
    return QDir(cartella_prove(QString(), programma)).filePath(QStringLiteral("giornali_aperti.txt"));
}

QString csv_di(const QString& giornale) {
    QString c = giornale;
    if (c.endsWith(estensione_giornale)) c.chop(estensione_giornale.size());
    return c + QStringLiteral(".csv");
}

QString base_libera(const QString& cartella, const QString& nome) {
    const QDir d(cartella);
    for (int n = 1;; ++n) {
        const QString base = d.filePath(n == 1 ? nome : nome + QStringLiteral("_%1").arg(n));
        if (!QFileInfo::exists(base + estensione_giornale) && !QFileInfo::exists(base + QStringLiteral(".csv")))
            return base;
    }
}

QStringList leggi_registro(const QString& registro) {
    QFile f(registro);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList voci;
    for (const QByteArray& r : f.readAll().split('\n'))
        if (!r.trimmed().isEmpty()) voci << QString::fromUtf8(r.trimmed());
    return voci;
}

void aggiungi_al_registro(const QString& registro, const QString& giornale) {
    std::lock_guard l(guardia_registro());
    QStringList voci = leggi_registro(registro);
    const QString g = assoluto(giornale);
    if (voci.contains(g)) return;
    voci << g;
    scrivi_registro(registro, voci);
}

void togli_dal_registro(const QString& registro, const QString& giornale) {
    std::lock_guard l(guardia_registro());
    QStringList voci = leggi_registro(registro);
    if (voci.removeAll(assoluto(giornale)) > 0) scrivi_registro(registro, voci);
}

QStringList trova(const QString& registro, const QStringList& cartelle) {
    QStringList trovati;
    {
        std::lock_guard l(guardia_registro());
        for (const QString& g : leggi_registro(registro))
            if (QFileInfo(g).isFile()) trovati << assoluto(g);
    }
    for (const QString& c : cartelle)
        for (const QFileInfo& f : QDir(c).entryInfoList({QStringLiteral("*") + estensione_giornale}, QDir::Files))
            trovati << assoluto(f.filePath());
    trovati.removeDuplicates();
    std::sort(trovati.begin(), trovati.end(),
              [](const QString& a, const QString& b) { return QFileInfo(a).fileName() < QFileInfo(b).fileName(); });
    return trovati;
}

bool completa(const QString& giornale, const TestataArchivio& testata, const std::vector<Salto>& salti,
              const QString& registro, QString* motivo) {
    if (!salti.empty() && !file_durevole::scrivi_atomico(csv_di(giornale), formato_archivio::testo_csv(testata, salti), motivo))
        return false;
    if (!file_durevole::rimuovi(giornale, motivo)) return false;
    togli_dal_registro(registro, giornale);
    return true;
}

}  // namespace giornali_prove
