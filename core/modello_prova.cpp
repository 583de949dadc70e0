#include "core/modello_prova.h"

#include "core/metriche.h"

ModelloProva::ModelloProva(QObject* genitore) : QObject(genitore), quando_(adesso()) {}

int32_t ModelloProva::aggiungi_salto(int32_t tc_ms) {
    const int32_t k = salti_.aggiungi(tc_ms);
    emit salto_aggiunto(k, tc_ms);
    return k;
}

void ModelloProva::completa_salto(int32_t tv_ms) {
    const int32_t k = salti_.numero();
    if (k < 1) return;
    calcola_metriche(salti_, tv_ms);
    emit salto_completato(k, salti_[k]);
}

void ModelloProva::azzera() {
    salti_.azzera();
    quando_ = adesso();
    emit azzerata();
}

bool ModelloProva::elimina(int32_t k) {
    if (k < 1 || k > salti_.numero()) return false;
    salti_.elimina(k);
    emit salto_eliminato(k);
    return true;
}

void ModelloProva::sostituisci(std::vector<Salto> salti, const QDateTime& quando) {
    salti_.sostituisci(std::move(salti));
    quando_ = quando.isValid() ? quando : adesso();
    emit sostituita();
}
