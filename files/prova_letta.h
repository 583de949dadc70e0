#pragma once

#include "core/salto.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

// A test read from a file, not yet applied to the program's state.
struct ProvaLetta {
    QString nome_utente;
    QString macchina_utente;
    std::vector<Salto> salti;  // jumps 1..N
    QDateTime quando;          // when the test was taken, when the file tells (else not valid)
};

// What came of reading a test file.
struct EsitoLettura {
    enum class Tipo {
        Letta,          // `prova` holds the test
        Ignorata,       // not a test file of this kind; nothing is said
        FormatoErrato,  // a workbook whose layout is not a test's
        Errore,         // damaged or unreadable; `errore` says why
    };
    Tipo tipo = Tipo::Errore;
    ProvaLetta prova;
    QString errore;

    static EsitoLettura letta(ProvaLetta p) { return {Tipo::Letta, std::move(p), {}}; }
    static EsitoLettura con_errore(QString e) { return {Tipo::Errore, {}, std::move(e)}; }
};

// How far a long read or write has come: first the total, then each step 1..total.
struct Avanzamento {
    std::function<void(int)> massimo;
    std::function<void(int)> valore;
    void imposta_massimo(int n) const {
        if (massimo) massimo(n);
    }
    void imposta_valore(int k) const {
        if (valore) valore(k);
    }
};

// Descriptions of the conversion failures a test file can cause.
namespace errori_lettura {
inline const QString overflow = QStringLiteral("Overflow");
inline const QString tipo = QStringLiteral("Tipo non corrispondente");
inline const QString indice = QStringLiteral("Indice non compreso nell'intervallo");
inline const QString fine_file = QStringLiteral("Input oltre la fine del file");
}  // namespace errori_lettura
