// The test report of 10,000 jumps written to PDF through the export command (copy
// of the test, progress window, temporary file and rename), timed over several
// runs; then the file is checked with poppler: its page count, and every jump's
// row in the text. Goal: under 2 s.
#include "bench/misure.h"
#include "core/titoli.h"
#include "platform/dialogo_stampa.h"
#include "report/comandi_rapporto.h"
#include "report/rapporto.h"
#include "report/testi_rapporto.h"
#include "sim/prove_finte.h"
#include "sim/servizi_muti.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class StampaMuta : public DialogoStampa {
public:
    std::unique_ptr<QPagedPaintDevice> chiedi(const QString&, int) override { return nullptr; }
};

QString esegui(const QString& programma, const QStringList& argomenti, bool* ok) {
    QProcess p;
    p.start(programma, argomenti);
    *ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Pages as pdfinfo reads them, and whether every jump's row is in pdftotext's text.
QString controlla(const QString& pdf, const Salti& salti, int pagine_attese) {
    bool ok = false;
    const QString info = esegui(QStringLiteral("pdfinfo"), {pdf}, &ok);
    if (!ok) return QStringLiteral("not checked (pdfinfo missing)");
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    if (!m.hasMatch() || m.captured(1).toInt() != pagine_attese)
        return QStringLiteral("NO: %1 pages, expected %2").arg(m.captured(1)).arg(pagine_attese);
    const QString testo = esegui(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}, &ok);
    QSet<QString> righe;
    static const QRegularExpression spazi(QStringLiteral("\\s+"));
    for (const QString& r : testo.split(u'\n')) {
        const QStringList parole = r.split(spazi, Qt::SkipEmptyParts);
        for (qsizetype i = 0; i + 6 <= parole.size(); ++i) righe.insert(parole.mid(i, 6).join(u' '));
    }
    for (int32_t k = 1; k <= salti.numero(); ++k) {
        const auto r = testi_rapporto::riga(salti[k]);
        if (!righe.contains(QStringList(r.begin(), r.end()).join(u' '))) return QStringLiteral("NO: jump %1 missing").arg(k);
    }
    return QStringLiteral("yes");
}

constexpr int n = 10000;
constexpr int giri = 5;

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Salti salti = prove_finte::salti_variati(n);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("rapporto.pdf"));
    NessunFile dialogo;
    StampaMuta stampa;
    MessaggiStampati messaggi;
    ComandiRapporto comandi(FontiRapporto{[&]() -> const Salti& { return salti; },
                                          [] { return QStringLiteral("Squadra"); },
                                          [] { return QStringLiteral("Atleta"); },
                                          [] { return QStringLiteral("Esercizio"); },
                                          [&] { return dir.path(); },
                                          [] { return 20; },
                                          [] { return QDateTime::currentDateTime(); }},
                            crea_testo_versione(), dialogo, stampa, messaggi);

    std::vector<double> muro, cpu;
    bool scritto = true;
    for (int g = 0; g < giri; ++g) {
        QElapsedTimer t;
        t.start();
        const double c = cpu_processo_ns();
        scritto = comandi.esporta_pdf(percorso) && scritto;
        muro.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back((cpu_processo_ns() - c) / 1e6);
    }
    const DatiRapporto dati{{}, {}, {}, {}, 20, salti, {}, {}};
    const int pagine = Rapporto(dati).pagine();
    const QString corretto = scritto ? controlla(percorso, salti, pagine) : QStringLiteral("NO: not written");

    std::printf("%d salti, %d pagine, file di %lld byte\n", n, pagine, static_cast<long long>(QFileInfo(percorso).size()));
    std::printf("esportazione: primo %.1f ms, mediana di %d %.1f ms, migliore %.1f ms\n", muro.front(), giri,
                mediana(muro), *std::min_element(muro.begin(), muro.end()));
    std::printf("tempo di processore: mediana %.1f ms\n", mediana(cpu));
    std::printf("RISULTATO\treport of %d jumps to PDF (export command), first run\t< 2000 ms\t%.1f ms\n", n, muro.front());
    std::printf("RISULTATO\treport of %d jumps to PDF (export command), median of %d\t< 2000 ms\t%.1f ms\n", n, giri,
                mediana(muro));
    std::printf("RISULTATO\treport of %d jumps correct (pages, every row)\tyes\t%s\n", n, qPrintable(corretto));
    return scritto && corretto == QStringLiteral("yes") && messaggi.n == 0 ? 0 : 1;
}
