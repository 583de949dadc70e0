#pragma once

#include "core/salti.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>

// The program's title: settings store, message boxes, input boxes.
inline const QString titolo_applicazione = QStringLiteral("Hopa");

// "Hopa " + major.minor.revision, from the project version.
QString crea_testo_versione();

// The process-wide state of the one test in memory. The application owns one
// instance and hands it to whoever needs it; tests build a fresh one.
struct Stato {
    Salti salti;

    // Athlete and exercise of the test.
    QString nome_utente = QStringLiteral("Ilvor Darsena");
    float carico_utente = 100.0f;
    QString macchina_utente = QStringLiteral("Spinte Panca");
    std::array<int32_t, 11> indice_utente{};  // 0..4: dialog rows' selections, -1 none
    int32_t t_volo_min = 20;                  // ms: a flight this short or shorter is no jump
    QString squadra;
    QString cartella_utente;

    // Folder the register hangs from (the program folder, or a test's temporary one).
    QString cartella_programma;
    QString cartella_ini() const;  // cartella_programma + "/ini"
    QString file_ini() const;      // cartella_ini() + "/hopa.ini"

    // Acquisition state.
    bool connesso = false;
    bool hid_connesso = false;
    bool acquisizione = false;
    bool scarta_primo = false;
    bool avvio_hid = false;
    bool invio_seriale = false;

    // Caption texts; the main caption is always the two joined.
    QString testo_versione = crea_testo_versione();
    QString testo_connessione = QStringLiteral(" non connesso");
    QString didascalia() const { return testo_versione + testo_connessione; }
    // Whoever changes testo_connessione calls this; the main window registers the target.
    std::function<void(const QString&)> imposta_didascalia;
    void aggiorna_didascalia() const {
        if (imposta_didascalia) imposta_didascalia(didascalia());
    }

    // Last computed averages and total decrements (indices 0..6).
    std::array<float, 7> medie{};
    std::array<float, 7> decrementi{};
};
