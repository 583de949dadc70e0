#pragma once

#include "platform/dialoghi.h"

class QWidget;

// Implementations on Qt's standard dialogs. `genitore` may be null.
class MessaggiQt : public Messaggi {
public:
    explicit MessaggiQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    void mostra(const QString& testo, const QString& titolo, Icona icona) override;
    void imposta_genitore(QWidget* g) { genitore_ = g; }

private:
    QWidget* genitore_;
};

// The last button is also the one Escape and the close box press.
class DomandeQt : public Domande {
public:
    explicit DomandeQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    int scegli(const QString& testo, const QString& titolo, const QStringList& pulsanti) override;
    void imposta_genitore(QWidget* g) { genitore_ = g; }

private:
    QWidget* genitore_;
};

class CasellaInputQt : public CasellaInput {
public:
    explicit CasellaInputQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    QString chiedi(const QString& prompt, const QString& titolo, const QString& predefinito) override;
    void imposta_genitore(QWidget* g) { genitore_ = g; }

private:
    QWidget* genitore_;
};

class DialogoFileQt : public DialogoFile {
public:
    explicit DialogoFileQt(QWidget* genitore = nullptr) : genitore_(genitore) {}
    std::optional<QString> apri(const RichiestaFile& richiesta) override;
    std::optional<QString> salva(const RichiestaFile& richiesta) override;
    void imposta_genitore(QWidget* g) { genitore_ = g; }

private:
    QWidget* genitore_;
};
