#pragma once

#include "core/salti.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <vector>

// The test in memory: its jumps (element 0 the placeholder, jump k element k) and
// when it began. A jump comes in two steps, as the board reports it: aggiungi_salto
// appends a record with its contact time, completa_salto fills it in from its
// flight time. The test is cleared when acquisition starts or is reset, loses one
// jump to the Delete key, and is replaced whole by a test read from a file.
//
// Every change is announced; the jump panel, the beep and whoever else follows the
// test listen, and none of them writes a jump. Only the user-interface thread
// reads or writes it; listeners are called at once, in the order they connected.
class ModelloProva : public QObject {
    Q_OBJECT

public:
    explicit ModelloProva(QObject* genitore = nullptr);

    const Salti& salti() const { return salti_; }
    int32_t numero() const { return salti_.numero(); }
    // When the test began: the last clear, or the time stamp of the test read.
    const QDateTime& quando() const { return quando_; }

    // Appends a record holding only this contact time; gives its index k.
    int32_t aggiungi_salto(int32_t tc_ms);
    // Completes the last record from its flight time: t_volo, altezza, s_acc,
    // potenza, n_rip. Nothing happens while the test has no record.
    void completa_salto(int32_t tv_ms);
    // Back to the placeholder alone; the test begins now.
    void azzera();
    // Removes jump k (1 <= k <= numero()), moving later records down whole; they
    // keep their stored n_rip. False, and nothing announced, for any other k.
    bool elimina(int32_t k);
    // The test becomes these jumps (elements 1..n), begun at `quando` (now when
    // that is not valid).
    void sostituisci(std::vector<Salto> salti, const QDateTime& quando = {});

    // The clock of `quando`; tests fix it.
    std::function<QDateTime()> adesso = [] { return QDateTime::currentDateTime(); };

signals:
    // Record k was appended with this contact time (not yet a whole jump).
    void salto_aggiunto(int32_t k, int32_t tc_ms);
    // Jump k is complete.
    void salto_completato(int32_t k, const Salto& salto);
    void azzerata();
    // Jump k was removed; the jumps after it are now one place lower.
    void salto_eliminato(int32_t k);
    // The test was replaced whole (numero() jumps).
    void sostituita();

private:
    Salti salti_;
    QDateTime quando_;
};
