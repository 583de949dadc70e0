// The test report of 10,000 jumps written to PDF through the export command (copy
// of the test, progress window, temporary file and rename), timed over several
// runs; then the file is checked with poppler: its page count, and every jump's
// row in the text. Goal: under 2 s.
#include "bench/misure.h"
#include "core/modello_prova.h"
#include "core/sessione_atleta.h"
#include "core/titoli.h"
#include "platform/dialogo_stampa.h"
#include "report/comandi_rapporto.h"
#include "report/rapporto.h"
#include "report/testi_rapporto.h"
#include "sim/prove_finte.h"
#include "sim/servizi_muti.h"
#include "tests/report/testo_pdf.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class StampaMuta : public DialogoStampa {
public:
    std::unique_ptr<QPagedPaintDevice> chiedi(const QString&, int) override { return nullptr; }
};

// Pages as pdfinfo reads them, and whether every jump's row is in pdftotext's text.
QString controlla(const QString& pdf, const Salti& salti, int pagine_attese) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        return QStringLiteral("not checked (pdfinfo missing)");
    const int pagine = pagine_pdf(pdf);
    if (pagine != pagine_attese) return QStringLiteral("NO: %1 pages, expected %2").arg(pagine).arg(pagine_attese);
    // Every six words in a row on a line: each jump's row is looked up at once.
    QSet<QString> righe;
    for (const QStringList& parole : righe_pdf(pdf))
        for (qsizetype i = 0; i + 6 <= parole.size(); ++i) righe.insert(parole.mid(i, 6).join(u' '));
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
    ModelloProva prova;
    prova.sostituisci({salti.elementi().begin() + 1, salti.elementi().end()});
    SessioneAtleta sessione;
    sessione.squadra = QStringLiteral("Squadra");
    sessione.nome_utente = QStringLiteral("Atleta");
    sessione.macchina_utente = QStringLiteral("Esercizio");
    sessione.cartella_utente = dir.path();
    sessione.t_volo_min = 20;
    ComandiRapporto comandi(prova, sessione, crea_testo_versione(), dialogo, stampa, messaggi);

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
