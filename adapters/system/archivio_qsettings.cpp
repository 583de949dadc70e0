#include "adapters/system/archivio_qsettings.h"

namespace {
QString chiave_completa(const QString& sezione, const QString& chiave) { return sezione + QLatin1Char('/') + chiave; }
}  // namespace

ArchivioQSettings::ArchivioQSettings(const QString& titolo)
    : impostazioni_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, titolo, titolo)) {}

std::unique_ptr<ArchivioQSettings> ArchivioQSettings::in_file(const QString& percorso) {
    return std::unique_ptr<ArchivioQSettings>(
        new ArchivioQSettings(std::make_unique<QSettings>(percorso, QSettings::IniFormat)));
}

QString ArchivioQSettings::leggi(const QString& sezione, const QString& chiave, const QString& predefinito) const {
    const QVariant v = impostazioni_->value(chiave_completa(sezione, chiave));
    if (!v.isValid()) return predefinito;
    // An INI file edited by hand may hold a bare a, b: QSettings reads it as a list.
    if (v.metaType().id() == QMetaType::QStringList) return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

void ArchivioQSettings::scrivi(const QString& sezione, const QString& chiave, const QString& valore) {
    impostazioni_->setValue(chiave_completa(sezione, chiave), valore);
    impostazioni_->sync();
}
