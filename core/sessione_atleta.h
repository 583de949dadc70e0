#pragma once

#include <QString>

#include <array>
#include <cstdint>

// Who is being tested and how: the athlete and exercise that head the test, the
// minimum flight time that decides what counts as a jump, the team and athlete
// folder, and the configuration dialog's selected positions. Loaded from the
// settings store at start-up, set by the configuration dialog and by a test read
// from a file, saved when the program closes.
struct SessioneAtleta {
    QString nome_utente = QStringLiteral("Ilvor Darsena");
    float carico_utente = 100.0f;  // stored and restored; no computation uses it
    QString macchina_utente = QStringLiteral("Spinte Panca");
    std::array<int32_t, 11> indice_utente{};  // 0..4: dialog rows' selections, -1 none
    int32_t t_volo_min = 20;                  // ms: a flight this short or shorter is no jump
    QString squadra;
    QString cartella_utente;
};
