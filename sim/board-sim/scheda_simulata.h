#pragma once

#include "sim/modello_atleta.h"
#include "sim/pseudo_terminale.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>
#include <random>

// Ways the simulated board can misbehave.
enum class Guasto {
    Nessuno,
    NessunaRisposta,    // reads everything, answers nothing
    RispostaSbagliata,  // "?" answered "?NO!"
    RispostaCorta,      // "?" answered "?YE"
    EcoSbagliato,       // "S" echoed as "s", nothing streamed
    Spazzatura,         // random bytes every 200 ms besides the normal answers
    Riaggancia,         // hangs up after `riaggancia_dopo` frames
};

struct OpzioniScheda {
    SorgenteSalti sorgente{1};
    double frequenza = 0;  // frames/s; 0: real time
    long massimo = -1;     // frames per start; -1: until the source ends or "T"
    Guasto guasto = Guasto::Nessuno;
    long riaggancia_dopo = 5;
    FILE* registro = nullptr;  // one line per frame: index and steady-clock ns when written
};

// The board at the far end of a line: echoes "$" and each command letter,
// answers "?" with "?YES", streams 8-byte frames (contact us, flight us,
// big-endian) after "S" and stops on "T". Reports what it receives on stdout.
class SchedaSimulata : public QObject {
    Q_OBJECT

public:
    SchedaSimulata(std::unique_ptr<PseudoTerminale> linea, OpzioniScheda opzioni);
    // A line of the control channel (stdin): "spazzatura N", "riaggancia", "esci".
    void controllo(const QByteArray& riga);

private:
    void leggibile();
    void byte_ricevuto(char c);
    void invia(const QByteArray& b);
    void svuota_uscita();
    void prossimo_frame();
    void prepara();
    void riaggancia();
    QByteArray casuali(int n);

    std::unique_ptr<PseudoTerminale> linea_;
    OpzioniScheda op_;
    std::unique_ptr<QSocketNotifier> lettura_, scrittura_;
    QTimer flusso_, rumore_;
    QByteArray uscita_;
    bool dopo_dollaro_ = false;
    bool in_flusso_ = false;
    long inviati_ = 0;       // frames of this start
    long totale_ = 0;        // frames since the program began
    qint64 dovuto_ns_ = 0;   // when the pending frame is due
    std::optional<TempiSalto> pendente_;
    QElapsedTimer orologio_;
    std::mt19937 rng_{12345};
};
