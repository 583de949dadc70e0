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
        dovuto_ns_ = orologio_.nsecsElapsed();
        prepara();
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

void SchedaSimulata::prepara() {
    // A record goes out when its contact and flight are over (at a forced rate,
    // one period after the last), or after its own pause when the script gives one.
    pendente_.reset();
    if (op_.massimo >= 0 && inviati_ >= op_.massimo) pendente_.reset();
    else pendente_ = op_.sorgente.prossimo();
    if (!pendente_) {
        in_flusso_ = false;
        riporta("fine %s\n", QByteArray::number(static_cast<qlonglong>(inviati_)));
        return;
    }
    qint64 ritardo_ns;
    if (pendente_->pausa_ms >= 0) ritardo_ns = qint64{pendente_->pausa_ms} * 1000000;
    else if (op_.frequenza > 0) ritardo_ns = static_cast<qint64>(1e9 / op_.frequenza);
    else ritardo_ns = (pendente_->contatto_us + pendente_->volo_us) * 1000;
    if (ritardo_ns < 0) ritardo_ns = 0;
    // An absolute schedule, so timer slack never adds up.
    dovuto_ns_ += ritardo_ns;
    const qint64 attesa_ms = (dovuto_ns_ - orologio_.nsecsElapsed()) / 1000000;
    flusso_.start(static_cast<int>(attesa_ms > 0 ? attesa_ms : 0));
}

void SchedaSimulata::prossimo_frame() {
    if (!in_flusso_ || !pendente_) return;
    if (orologio_.nsecsElapsed() < dovuto_ns_ - 500000) {  // woken early
        flusso_.start(0);
        return;
    }
    QByteArray f;
    parola(f, pendente_->contatto_us);
    parola(f, pendente_->volo_us);
    invia(f);
    if (op_.registro) std::fprintf(op_.registro, "%ld %lld\n", totale_, static_cast<long long>(ns_adesso()));
    ++inviati_;
    ++totale_;
    if (op_.guasto == Guasto::Riaggancia && inviati_ >= op_.riaggancia_dopo) {
        in_flusso_ = false;
        // Long enough for the last frame to be read, then the line goes dead.
        QTimer::singleShot(50, this, &SchedaSimulata::riaggancia);
        return;
    }
    prepara();
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
