#include "core/entrata_salti.h"

#include "core/metriche.h"
#include "core/stato.h"
#include "core/viste.h"
#include "platform/beep.h"

void EntrataSalti::aggiungi_salto(int32_t tc_ms) {
    stato_.salti.aggiungi(tc_ms);
    if (vista_) vista_->mostra_contatto(tc_ms);
}

void EntrataSalti::completa_salto(int32_t tv_ms) {
    if (stato_.salti.numero() < 1) return;
    calcola_metriche(stato_.salti, tv_ms);
    if (beep_) beep_->suona();
    if (vista_) vista_->mostra_salto(stato_.salti.numero());
}
