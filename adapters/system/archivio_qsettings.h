#pragma once

#include "platform/archivio_impostazioni.h"

#include <QSettings>

#include <memory>

// The per-user settings store on QSettings: one store per application title,
// sections as groups, every value written and read as text.
class ArchivioQSettings : public ArchivioImpostazioni {
public:
    // The user's store of the application with this title (the registry on Windows).
    explicit ArchivioQSettings(const QString& titolo);
    // A store in this INI file: for tests and portable installs.
    static std::unique_ptr<ArchivioQSettings> in_file(const QString& percorso);

    QString leggi(const QString& sezione, const QString& chiave, const QString& predefinito) const override;
    void scrivi(const QString& sezione, const QString& chiave, const QString& valore) override;

    QString percorso() const { return impostazioni_->fileName(); }

private:
    explicit ArchivioQSettings(std::unique_ptr<QSettings> s) : impostazioni_(std::move(s)) {}
    std::unique_ptr<QSettings> impostazioni_;
};
