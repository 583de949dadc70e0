#include "core/stato_collegamento.h"

void StatoCollegamento::imposta_testo_connessione(const QString& testo) {
    testo_connessione_ = testo;
    aggiorna_didascalia();
}

void StatoCollegamento::aggiorna_didascalia() { emit didascalia_cambiata(didascalia()); }
