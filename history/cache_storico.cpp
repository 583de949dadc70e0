#include "history/cache_storico.h"

#include "athletes/disco_registro.h"
#include "history/lettura_storico.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace cache_storico {

namespace {
constexpr quint32 marca = 0x484F5354;  // "HOST"
constexpr quint32 versione = 1;
constexpr qint32 prove_massime = 1000000;
constexpr qint32 salti_massimi = 32767;  // a test file holds at most a 16-bit count
constexpr qint64 byte_massimi = 512LL << 20;

void prepara(QDataStream& s) {
    s.setVersion(QDataStream::Qt_6_4);
    s.setByteOrder(QDataStream::LittleEndian);
    s.setFloatingPointPrecision(QDataStream::DoublePrecision);
}
}  // namespace

QString file_per(const QString& cartella_cache, const QString& cartella_atleta) {
    const QString atleta = QDir::cleanPath(QFileInfo(cartella_atleta).absoluteFilePath());
    const QByteArray impronta = QCryptographicHash::hash(atleta.toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return QDir(cartella_cache).filePath(QString::fromLatin1(impronta) + QStringLiteral(".cache"));
}

std::vector<ProvaStorico> carica(const QString& percorso) {
    if (QFileInfo(percorso).size() > byte_massimi) return {};
    const disco_registro::Letto letto = disco_registro::leggi_file(percorso);
    if (!letto.errore.isEmpty()) return {};
    QDataStream s(letto.contenuto);
    prepara(s);
    quint32 m = 0, v = 0;
    qint32 n = 0;
    s >> m >> v >> n;
    if (s.status() != QDataStream::Ok || m != marca || v != versione || n < 0 || n > prove_massime) return {};
    std::vector<ProvaStorico> prove;
    prove.reserve(static_cast<size_t>(std::min<qint32>(n, 4096)));
    for (qint32 i = 0; i < n; ++i) {
        ProvaStorico p;
        p.stato = ProvaStorico::Stato::Letta;
        qint32 salti = 0;
        s >> p.file.nome >> p.file.dimensione >> p.file.modificato >> p.quando >> p.esercizio >> p.atleta >> salti;
        if (s.status() != QDataStream::Ok || salti < 0 || salti > salti_massimi) return {};
        p.salti.resize(static_cast<size_t>(salti));
        for (Salto& x : p.salti) s >> x.t_volo >> x.altezza >> x.t_contatto >> x.s_acc >> x.potenza >> x.n_rip;
        if (s.status() != QDataStream::Ok) return {};
        lettura_storico::calcola_figure(p);
        prove.push_back(std::move(p));
    }
    if (!s.atEnd()) return {};
    return prove;
}

std::optional<QString> salva(const QString& percorso, const std::vector<ProvaStorico>& prove) {
    QByteArray dati;
    {
        QDataStream s(&dati, QIODevice::WriteOnly);
        prepara(s);
        qint32 n = 0;
        for (const ProvaStorico& p : prove) n += p.letta() ? 1 : 0;
        s << marca << versione << n;
        for (const ProvaStorico& p : prove) {
            if (!p.letta()) continue;
            s << p.file.nome << p.file.dimensione << p.file.modificato << p.quando << p.esercizio << p.atleta
              << static_cast<qint32>(p.salti.size());
            for (const Salto& x : p.salti) s << x.t_volo << x.altezza << x.t_contatto << x.s_acc << x.potenza << x.n_rip;
        }
    }
    if (auto errore = disco_registro::crea_cartella(QFileInfo(percorso).path())) return errore;
    return disco_registro::scrivi_file(percorso, dati);
}

}  // namespace cache_storico
