#pragma once

// Fakes of the platform interfaces, answered and observed by the tests.

#include "core/modello_prova.h"
#include "core/viste.h"
#include "platform/beep.h"
#include "platform/dialoghi.h"
#include "platform/orologio.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

struct MessaggioMostrato {
    QString testo;
    QString titolo;
    Icona icona;
};

class MessaggiFinti : public Messaggi {
public:
    void mostra(const QString& testo, const QString& titolo, Icona icona) override {
        mostrati.push_back({testo, titolo, icona});
    }
    QStringList testi() const {
        QStringList l;
        for (const auto& m : mostrati) l << m.testo;
        return l;
    }
    std::vector<MessaggioMostrato> mostrati;
};

// Answers questions in order with the index of a button; with no answer left it
// presses the last button.
class DomandeFinte : public Domande {
public:
    int scegli(const QString& testo, const QString& titolo, const QStringList& pulsanti) override {
        poste.push_back({testo, titolo, pulsanti});
        if (risposte.empty()) return static_cast<int>(pulsanti.size()) - 1;
        const int r = risposte.front();
        risposte.pop_front();
        return r;
    }
    struct Posta {
        QString testo, titolo;
        QStringList pulsanti;
    };
    std::deque<int> risposte;
    std::vector<Posta> poste;
};

// Answers prompts in order; with no answer left it behaves as cancel (empty text).
class CasellaInputFinta : public CasellaInput {
public:
    QString chiedi(const QString& prompt, const QString& titolo, const QString& predefinito) override {
        richieste.push_back({prompt, titolo, predefinito});
        if (risposte.empty()) return {};
        QString r = risposte.front();
        risposte.pop_front();
        return r;
    }
    struct Richiesta {
        QString prompt, titolo, predefinito;
    };
    std::deque<QString> risposte;
    std::vector<Richiesta> richieste;
};

// Answers file dialogs in order; std::nullopt is a cancel.
class DialogoFileFinto : public DialogoFile {
public:
    std::optional<QString> apri(const RichiestaFile& r) override { return rispondi(r, false); }
    std::optional<QString> salva(const RichiestaFile& r) override { return rispondi(r, true); }
    std::deque<std::optional<QString>> risposte;
    struct Visto {
        RichiestaFile richiesta;
        bool salvataggio;
    };
    std::vector<Visto> visti;

private:
    std::optional<QString> rispondi(const RichiestaFile& r, bool salvataggio) {
        visti.push_back({r, salvataggio});
        if (risposte.empty()) return std::nullopt;
        auto x = risposte.front();
        risposte.pop_front();
        return x;
    }
};

class BeepFinto : public Beep {
public:
    void suona() override { ++suonati; }
    int suonati = 0;
};

class ContatoreFinto : public ContatoreTick {
public:
    int32_t tick_ms() const override { return adesso; }
    int32_t adesso = 0;
};

// A timer that fires only when the test says so.
class TemporizzatoreFinto : public Temporizzatore {
public:
    void imposta_intervallo(int ms) override { intervallo_ = ms; }
    int intervallo() const override { return intervallo_; }
    void abilita(bool si) override { abilitato_ = si; }
    bool abilitato() const override { return abilitato_; }
    void scatta() {
        if (abilitato_ && al_tick) al_tick();
    }

private:
    int intervallo_ = 0;
    bool abilitato_ = false;
};

// Stands in for the jump panel: counts the clears it was asked for (and clears the
// model, when it has one, as the panel does) and answers the selected rows.
class VistaSaltiFinta : public VistaSalti {
public:
    explicit VistaSaltiFinta(ModelloProva* prova = nullptr) : prova_(prova) {}
    void azzera_prova() override {
        ++azzeramenti;
        if (prova_) prova_->azzera();
    }
    std::vector<int32_t> righe_selezionate() const override { return selezionate; }

    int azzeramenti = 0;
    std::vector<int32_t> selezionate;

private:
    ModelloProva* prova_;
};

class VistaIntestazioneFinta : public VistaIntestazione {
public:
    void Aggiorna_intestazione() override { ++aggiornamenti; }
    int aggiornamenti = 0;
};
