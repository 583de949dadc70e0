#include "report/nome_rapporto.h"

#include "athletes/nomi_cartelle.h"

#include <QStringList>

namespace nome_rapporto {
namespace {
constexpr int lunghezza_massima = 80;
}

QString parte_sicura(const QString& nome) {
    QString s;
    s.reserve(nome.size());
    for (QChar c : nome) s += nomi_cartelle::carattere_vietato(c) ? QChar(u'_') : c;
    s = s.trimmed().left(lunghezza_massima);
    while (s.endsWith(u'.') || s.endsWith(u' ')) s.chop(1);
    return s;
}

QString suggerito(const QString& atleta, const QString& esercizio, const QDate& data) {
    QStringList parti;
    for (const QString& p : {atleta, esercizio})
        if (QString s = parte_sicura(p); !s.isEmpty()) parti << s;
    if (parti.isEmpty()) parti << QStringLiteral("rapporto");
    if (data.isValid()) parti << data.toString(QStringLiteral("yyyy-MM-dd"));
    const QString nome = parti.join(u'_') + QStringLiteral(".pdf");
    return nomi_cartelle::sicuro(nome) ? nome : QStringLiteral("rapporto.pdf");
}

}  // namespace nome_rapporto
