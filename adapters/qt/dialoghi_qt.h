#pragma once

#include "adapters/qt/con_genitore.h"
#include "platform/dialoghi.h"

class QWidget;

// Implementations on Qt's standard dialogs. `genitore` may be null.
class MessaggiQt : public Messaggi, public ConGenitore {
public:
    explicit MessaggiQt(QWidget* genitore = nullptr) : ConGenitore(genitore) {}
    void mostra(const QString& testo, const QString& titolo, Icona icona) override;
};

// The last button is also the one Escape and the close box press.
class DomandeQt : public Domande, public ConGenitore {
public:
    explicit DomandeQt(QWidget* genitore = nullptr) : ConGenitore(genitore) {}
    int scegli(const QString& testo, const QString& titolo, const QStringList& pulsanti) override;
};

class CasellaInputQt : public CasellaInput, public ConGenitore {
public:
    explicit CasellaInputQt(QWidget* genitore = nullptr) : ConGenitore(genitore) {}
    QString chiedi(const QString& prompt, const QString& titolo, const QString& predefinito) override;
};

class DialogoFileQt : public DialogoFile, public ConGenitore {
public:
    explicit DialogoFileQt(QWidget* genitore = nullptr) : ConGenitore(genitore) {}
    std::optional<QString> apri(const RichiestaFile& richiesta) override;
    std::optional<QString> salva(const RichiestaFile& richiesta) override;
};
