#include "history/esporta_storico.h"

#include "athletes/disco_registro.h"
#include "history/colonne_storico.h"
#include "platform/cartella_lavoro.h"

namespace esporta_storico {

namespace {

QString campo_csv(QString t) {
    if (!t.contains(u',') && !t.contains(u'"') && !t.contains(u'\n') && !t.contains(u'\r')) return t;
    t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QString formato_numero(int decimali) { return decimali <= 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimali, u'0'); }

}  // namespace

QByteArray testo_csv(const std::vector<const ProvaStorico*>& righe) {
    const QLocale c = QLocale::c();
    QStringList linee;
    QStringList titoli;
    for (int k = 0; k < colonne_storico::Numero; ++k) titoli << campo_csv(colonne_storico::titolo_in_riga(k));
    linee << titoli.join(u',');
    for (const ProvaStorico* p : righe) {
        QStringList campi;
        for (int k = 0; k < colonne_storico::Numero; ++k) campi << campo_csv(colonne_storico::testo(*p, k, c));
        linee << campi.join(u',');
    }
    return QByteArray("\xEF\xBB\xBF") + (linee.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

std::optional<QString> scrivi_csv(const QString& percorso, const std::vector<const ProvaStorico*>& righe) {
    return disco_registro::scrivi_file(percorso, testo_csv(righe));
}

std::optional<QString> scrivi_xlsx(const QString& percorso, const std::vector<const ProvaStorico*>& righe,
                                   FogliDiCalcolo& fogli) {
    auto cartella = fogli.nuova();
    if (!cartella) return QStringLiteral("componente dei fogli di calcolo non disponibile");
    if (static_cast<qint64>(righe.size()) + 1 > righe_massime_foglio)
        return QStringLiteral("troppe righe per un foglio (%1)").arg(righe.size());
    FoglioLavoro& foglio = cartella->foglio_attivo();
    const auto& colonne = colonne_storico::colonne();
    foglio.imposta_larghezza_colonne(16);
    for (int k = 0; k < colonne_storico::Numero; ++k) foglio.scrivi(1, k + 1, colonne_storico::titolo_in_riga(k));
    foglio.imposta_grassetto(QStringLiteral("A1:") + QChar(u'A' + colonne_storico::Numero - 1) + u'1');
    int r = 1;
    for (const ProvaStorico* p : righe) {
        ++r;
        for (int k = 0; k < colonne_storico::Numero; ++k) {
            const ValoreCella v = colonne_storico::valore(*p, k);
            foglio.scrivi(r, k + 1, v);
            if (std::holds_alternative<double>(v))
                foglio.imposta_formato_numero(r, k + 1, formato_numero(colonne[static_cast<size_t>(k)].decimali));
        }
    }
    QString errore;
    const bool ok = cartella->salva_con_nome(percorso, &errore);
    cartella->chiudi();
    if (!ok) return errore;
    return std::nullopt;
}

}  // namespace esporta_storico
