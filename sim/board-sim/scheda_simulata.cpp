#include "sim/board-sim/scheda_simulata.h"

#include <QCoreApplication>

#include <chrono>

namespace {
qint64 ns_adesso() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
void parola(QByteArray& b, int64_t v) {
    const auto u = static_cast<uint32_t>(static_cast<int32_t>(v));
    b.append(char(u >> 24)).append(char(u >> 16)).append(char(u >> 8)).append(char(u));
}
void riporta(const char* formato, const QByteArray& x) {
    std::printf(formato, x.constData());
    std::fflush(stdout);
}
}  // namespace

SchedaSimulata::SchedaSimulata(std::unique_ptr<PseudoTerminale> linea, OpzioniScheda opzioni)
    : linea_(std::move(linea)), op_(std::move(opzioni)) {
    orologio_.start();
    lettura_ = std::make_unique<QSocketNotifier>(linea_->descrittore(), QSocketNotifier::Read);
    connect(lettura_.get(), &QSocketNotifier::activated, this, &SchedaSimulata::leggibile);
    scrittura_ = std::make_unique<QSocketNotifier>(linea_->descrittore(), QSocketNotifier::Write);
    scrittura_->setEnabled(false);
    connect(scrittura_.get(), &QSocketNotifier::activated, this, &SchedaSimulata::svuota_uscita);
    flusso_.setSingleShot(true);
    flusso_.setTimerType(Qt::PreciseTimer);
    connect(&flusso_, &QTimer::timeout, this, &SchedaSimulata::prossimo_frame);
    if (op_.guasto == Guasto::Spazzatura) {
        connect(&rumore_, &QTimer::timeout, this, [this] { invia(casuali(5)); });
        rumore_.start(200);
    }
}

QByteArray SchedaSimulata::casuali(int n) {
    std::uniform_int_distribution<int> d(0, 255);
    QByteArray b;
    for (int i = 0; i < n; ++i) b.append(char(d(rng_)));
    return b;
}

void SchedaSimulata::controllo(const QByteArray& riga) {
    const QList<QByteArray> p = riga.simplified().split(' ');
    if (p.isEmpty()) return;
    if (p[0] == "spazzatura") invia(casuali(p.size() > 1 ? p[1].toInt() : 8));
    else if (p[0] == "riaggancia") riaggancia();
    else if (p[0] == "esci") QCoreApplication::quit();
}

void SchedaSimulata::leggibile() {
    char buf[256];
    for (;;) {
        const long n = linea_->leggi(buf, sizeof buf);
        if (n == 0) return;
        // EIO while nobody holds the far end open: not a hang-up of ours.
        if (n < 0) return;
        for (long i = 0; i < n; ++i) byte_ricevuto(buf[i]);
    }
}

void SchedaSimulata::byte_ricevuto(char c) {
    if (op_.guasto == Guasto::NessunaRisposta) {
        riporta("ignorato %s\n", QByteArray(1, c).toHex());
        return;
    }
    if (!dopo_dollaro_) {
        if (c == '$') {
            dopo_dollaro_ = true;
            riporta("comando %s\n", "$");
            invia("$");
        }
        return;
    }
    dopo_dollaro_ = false;
    riporta("comando %s\n", QByteArray(1, c));
    switch (c) {
    case '?':
        if (op_.guasto == Guasto::RispostaSbagliata) invia("?NO!");
        else if (op_.guasto == Guasto::RispostaCorta) invia("?YE");
        else invia("?YES");
        break;
    case 'S':
        if (op_.guasto == Guasto::EcoSbagliato) {
            invia("s");
            break;
        }
        invia("S");
        in_flusso_ = true;
        inviati_ = 0;
        inizio_ns_ = orologio_.nsecsElapsed();
        programma(0);
        break;
    case 'T':
        invia("T");
        in_flusso_ = false;
        flusso_.stop();
        break;
    default:
        invia(QByteArray(1, c));
    }
}

void SchedaSimulata::programma(long ritardo_ms) {
    if (op_.frequenza > 0) {
        // A fixed schedule from the start, so timer slack never adds up.
        const qint64 dovuto = inizio_ns_ + static_cast<qint64>(inviati_ * 1e9 / op_.frequenza);
        const qint64 attesa = (dovuto - orologio_.nsecsElapsed()) / 1000000;
        flusso_.start(static_cast<int>(attesa > 0 ? attesa : 0));
    } else {
        flusso_.start(static_cast<int>(ritardo_ms));
    }
}

void SchedaSimulata::prossimo_frame() {
    if (!in_flusso_) return;
    if (op_.massimo >= 0 && inviati_ >= op_.massimo) {
        in_flusso_ = false;
        riporta("fine %s\n", QByteArray::number(static_cast<qlonglong>(inviati_)));
        return;
    }
    const std::optional<TempiSalto> t = op_.sorgente.prossimo();
    if (!t) {
        in_flusso_ = false;
        riporta("fine %s\n", QByteArray::number(static_cast<qlonglong>(inviati_)));
        return;
    }
    QByteArray f;
    parola(f, t->contatto_us);
    parola(f, t->volo_us);
    invia(f);
    if (op_.registro) std::fprintf(op_.registro, "%ld %lld\n", totale_, static_cast<long long>(ns_adesso()));
    ++inviati_;
    ++totale_;
    if (op_.guasto == Guasto::Riaggancia && inviati_ >= op_.riaggancia_dopo) {
        riaggancia();
        return;
    }
    // The next record follows this one's contact and flight (or its own pause).
    long ritardo = t->pausa_ms >= 0 ? t->pausa_ms : static_cast<long>((t->contatto_us + t->volo_us) / 1000);
    programma(ritardo < 0 ? 0 : ritardo);
}

void SchedaSimulata::invia(const QByteArray& b) {
    uscita_.append(b);
    svuota_uscita();
}

void SchedaSimulata::svuota_uscita() {
    while (!uscita_.isEmpty()) {
        const long n = linea_->scrivi(uscita_.constData(), uscita_.size());
        if (n <= 0) break;
        uscita_.remove(0, n);
    }
    scrittura_->setEnabled(!uscita_.isEmpty());
}

void SchedaSimulata::riaggancia() {
    riporta("riagganciato%s\n", "");
    if (op_.registro) std::fflush(op_.registro);
    lettura_.reset();
    scrittura_.reset();
    linea_->chiudi();
    QCoreApplication::quit();
}
