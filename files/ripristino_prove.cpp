#include "files/ripristino_prove.h"

#include "core/titoli.h"
#include "files/giornali_prove.h"
#include "platform/dialoghi.h"
#include "platform/errori_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 byte_massimi_giornale = 64LL << 20;

std::optional<formato_archivio::GiornaleLetto> leggi(const QString& percorso, QString* motivo) {
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        *motivo = QStringLiteral("il file non può essere letto (%1)").arg(errori_file::descrizione(f));
        return std::nullopt;
    }
    QString guasto = QStringLiteral("file troppo grande");
    std::optional<formato_archivio::GiornaleLetto> letto;
    if (f.size() <= byte_massimi_giornale) letto = formato_archivio::leggi_giornale(f.readAll(), &guasto);
    if (!letto) *motivo = QStringLiteral("l'archivio è danneggiato (%1)").arg(guasto);
    return letto;
}

QString nativo(const QString& p) { return QDir::toNativeSeparators(p); }

}  // namespace

void ripristina_prove_interrotte(const QString& registro, const QStringList& cartelle, const QByteArray& processo,
                                 const ServiziRipristino& s) {
    for (const QString& giornale : giornali_prove::trova(registro, cartelle)) {
        // This run's own test may have been finished meanwhile (a restore switches acquisition off).
        if (!QFileInfo::exists(giornale)) continue;
        QString motivo;
        const auto letto = leggi(giornale, &motivo);
        if (!letto) {
            s.messaggi.mostra(QStringLiteral("La prova interrotta nel file\n%1\nnon può essere ripristinata: %2.\nIl file "
                                             "resta com'è.")
                                  .arg(nativo(giornale), motivo),
                              titolo_applicazione, Icona::Esclamazione);
            continue;
        }
        if (letto->testata.processo == processo) continue;  // this run's own test
        const QString csv = giornali_prove::csv_di(giornale);
        const auto completa = [&] {
            if (giornali_prove::completa(giornale, letto->testata, letto->salti, registro, &motivo)) return true;
            s.messaggi.mostra(QStringLiteral("Impossibile completare l'archivio della prova interrotta\n%1\n(%2).\n"
                                             "Il file resta com'è e sarà proposto di nuovo al prossimo avvio.")
                                  .arg(nativo(giornale), motivo),
                              titolo_applicazione, Icona::Esclamazione);
            return false;
        };
        if (letto->salti.empty()) {  // nothing to give back
            (void)completa();
            continue;
        }
        const QString testo =
            QStringLiteral("È stata trovata una prova interrotta:\n\nAtleta: %1\nEsercizio: %2\nSalti: %3\nData e ora: %4\n\n"
                           "\"Ripristina\" la mostra di nuovo; in ogni caso resta nell'archivio:\n%5")
                .arg(letto->testata.atleta, letto->testata.esercizio, QString::number(letto->salti.size()),
                     letto->testata.quando.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")), nativo(csv));
        const bool ripristina =
            s.domande.scegli(testo, titolo_applicazione, {QStringLiteral("Ripristina"), QStringLiteral("Ignora")}) == 0;
        if (ripristina && s.spegni) s.spegni();
        if (completa() && ripristina && s.apri_csv) s.apri_csv(csv);
    }
}
