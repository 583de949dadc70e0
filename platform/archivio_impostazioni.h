#pragma once

#include <QMap>
#include <QString>

// Per-user key-value store addressed by application title, section and key;
// every value is text. Nothing is ever deleted.
class ArchivioImpostazioni {
public:
    virtual ~ArchivioImpostazioni() = default;
    // The stored text, or `predefinito` when the key is missing.
    virtual QString leggi(const QString& sezione, const QString& chiave, const QString& predefinito) const = 0;
    virtual void scrivi(const QString& sezione, const QString& chiave, const QString& valore) = 0;
};

// A store held in memory: for tests, and as the fallback when no store can be opened.
class ArchivioMemoria : public ArchivioImpostazioni {
public:
    QString leggi(const QString& sezione, const QString& chiave, const QString& predefinito) const override {
        auto it = valori_.find(sezione + QLatin1Char('\x1f') + chiave);
        return it == valori_.end() ? predefinito : *it;
    }
    void scrivi(const QString& sezione, const QString& chiave, const QString& valore) override {
        valori_.insert(sezione + QLatin1Char('\x1f') + chiave, valore);
    }
    bool contiene(const QString& sezione, const QString& chiave) const {
        return valori_.contains(sezione + QLatin1Char('\x1f') + chiave);
    }
    int numero() const { return static_cast<int>(valori_.size()); }

private:
    QMap<QString, QString> valori_;
};
