// A simulated board at the end of a pseudo-terminal (or of a given device).
// The first line printed is the device the program is to open; then one line
// per command received ("comando X"), "fine N" when a stream ends, and
// "riagganciato" on a hang-up. Lines on stdin control it: "spazzatura N" sends
// N random bytes, "riaggancia" hangs up, "esci" ends it.
#include "sim/board-sim/scheda_simulata.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Scheda simulata su pseudo-terminale"));
    p.addHelpOption();
    const QCommandLineOption percorso(QStringLiteral("percorso"), QStringLiteral("dispositivo esistente da usare"), QStringLiteral("file"));
    const QCommandLineOption copione(QStringLiteral("copione"), QStringLiteral("righe \"contatto_us volo_us [pausa_ms]\""), QStringLiteral("file"));
    const QCommandLineOption seme(QStringLiteral("seme"), QStringLiteral("seme del modello di atleta"), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption frequenza(QStringLiteral("frequenza"), QStringLiteral("frame al secondo (massimo 240); 0 tempo reale"), QStringLiteral("f"), QStringLiteral("0"));
    const QCommandLineOption massimo(QStringLiteral("massimo"), QStringLiteral("frame per ogni avvio"), QStringLiteral("n"), QStringLiteral("-1"));
    const QCommandLineOption guasto(QStringLiteral("guasto"),
        QStringLiteral("nessuna-risposta, risposta-sbagliata, risposta-corta, eco-sbagliato, spazzatura, riaggancia"),
        QStringLiteral("modo"));
    const QCommandLineOption dopo(QStringLiteral("riaggancia-dopo"), QStringLiteral("frame prima di riagganciare"), QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption registro(QStringLiteral("registro"), QStringLiteral("istante di scrittura di ogni frame"), QStringLiteral("file"));
    p.addOptions({percorso, copione, seme, frequenza, massimo, guasto, dopo, registro});
    p.process(app);

    OpzioniScheda op;
    if (p.isSet(copione)) {
        QFile f(p.value(copione));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "board-sim: non posso leggere %s\n", qPrintable(p.value(copione)));
            return 2;
        }
        QString errore;
        auto s = SorgenteSalti::da_script(QString::fromUtf8(f.readAll()), &errore);
        if (!s) {
            std::fprintf(stderr, "board-sim: copione: %s\n", qPrintable(errore));
            return 2;
        }
        op.sorgente = std::move(*s);
    } else {
        op.sorgente = SorgenteSalti(p.value(seme).toUInt());
    }
    op.frequenza = std::clamp(p.value(frequenza).toDouble(), 0.0, 240.0);
    op.massimo = p.value(massimo).toLong();
    op.riaggancia_dopo = p.value(dopo).toLong();
    const QString g = p.value(guasto);
    if (g.isEmpty()) op.guasto = Guasto::Nessuno;
    else if (g == QLatin1String("nessuna-risposta")) op.guasto = Guasto::NessunaRisposta;
    else if (g == QLatin1String("risposta-sbagliata")) op.guasto = Guasto::RispostaSbagliata;
    else if (g == QLatin1String("risposta-corta")) op.guasto = Guasto::RispostaCorta;
    else if (g == QLatin1String("eco-sbagliato")) op.guasto = Guasto::EcoSbagliato;
    else if (g == QLatin1String("spazzatura")) op.guasto = Guasto::Spazzatura;
    else if (g == QLatin1String("riaggancia")) op.guasto = Guasto::Riaggancia;
    else {
        std::fprintf(stderr, "board-sim: guasto sconosciuto: %s\n", qPrintable(g));
        return 2;
    }
    if (p.isSet(registro)) {
        op.registro = std::fopen(p.value(registro).toLocal8Bit().constData(), "w");
        if (!op.registro) {
            std::fprintf(stderr, "board-sim: non posso scrivere %s\n", qPrintable(p.value(registro)));
            return 2;
        }
    }

    QString errore;
    auto linea = p.isSet(percorso) ? PseudoTerminale::apri(p.value(percorso), &errore) : PseudoTerminale::crea(&errore);
    if (!linea) {
        std::fprintf(stderr, "board-sim: %s\n", qPrintable(errore));
        return 1;
    }
    std::printf("%s\n", qPrintable(linea->percorso()));
    std::fflush(stdout);

    SchedaSimulata scheda(std::move(linea), std::move(op));
    QSocketNotifier ingresso(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray riga;
    QObject::connect(&ingresso, &QSocketNotifier::activated, [&] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {  // stdin closed: the controlling program went away
            ingresso.setEnabled(false);
            if (n == 0 && !isatty(STDIN_FILENO)) QCoreApplication::quit();
            return;
        }
        riga.append(buf, n);
        for (int i; (i = riga.indexOf('\n')) >= 0; riga.remove(0, i + 1)) scheda.controllo(riga.left(i));
    });
    const int r = app.exec();
    if (p.isSet(registro)) std::fclose(op.registro);
    return r;
}
