#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Modal message boxes with an OK button.
enum class Icona { Nessuna, Esclamazione, Informazione, Critica };

class Messaggi {
public:
    virtual ~Messaggi() = default;
    virtual void mostra(const QString& testo, const QString& titolo, Icona icona = Icona::Nessuna) = 0;
};

// A modal question with buttons of its own: gives the index of the button pressed,
// or -1 when the box was closed without one.
class Domande {
public:
    virtual ~Domande() = default;
    virtual int scegli(const QString& testo, const QString& titolo, const QStringList& pulsanti) = 0;
};

// One-line input box: prompt, window title, default answer. Cancel gives empty text.
class CasellaInput {
public:
    virtual ~CasellaInput() = default;
    virtual QString chiedi(const QString& prompt, const QString& titolo, const QString& predefinito = {}) = 0;
};

// What a command sets on the common file dialog before showing it.
struct RichiestaFile {
    QString titolo;
    QString cartella_iniziale;
    QString estensione_predefinita;  // without the dot
    QString nome_suggerito;
    QString filtro;                  // e.g. "*.xlsx" or "Cartelle di lavoro (*.xlsx *.xls)"
    bool annulla_errore = true;      // cancelling takes the command's (silent) error path
};

// The common open/save file dialog. Returns the chosen full file name, or nothing on cancel.
class DialogoFile {
public:
    virtual ~DialogoFile() = default;
    virtual std::optional<QString> apri(const RichiestaFile& richiesta) = 0;
    virtual std::optional<QString> salva(const RichiestaFile& richiesta) = 0;
};
