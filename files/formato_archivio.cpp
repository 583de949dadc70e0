#include "files/formato_archivio.h"

#include "athletes/nomi_cartelle.h"
#include "core/cp1252.h"
#include "core/numeri.h"

#include <QList>

#include <charconv>

namespace formato_archivio {

namespace {

const QByteArray marca_giornale = QByteArrayLiteral("HOPA-GIORNALE,1");
const QString forma_quando = QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz");

// A text field of the test file: quoted, so commas stay inside; the quote itself
// and line ends cannot be written there.
QString campo_testo(QString t) {
    t.replace(u'"', u'\'');
    t.replace(u'\r', u' ');
    t.replace(u'\n', u' ');
    return u'"' + t + u'"';
}

QByteArray con_controllo(QByteArray riga) {
    const quint16 crc = qChecksum(QByteArrayView(riga));
    riga += ",#" + QByteArray::number(crc, 16).rightJustified(4, '0') + '\n';
    return riga;
}

std::optional<double> leggi_double(const QByteArray& t) {
    double v = 0;
    const auto r = std::from_chars(t.constData(), t.constData() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.constData() + t.size()) return std::nullopt;
    return v;
}

std::optional<int32_t> leggi_intero(const QByteArray& t) {
    int32_t v = 0;
    const auto r = std::from_chars(t.constData(), t.constData() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.constData() + t.size()) return std::nullopt;
    return v;
}

// The fields of a line whose check holds; nothing when it does not.
std::optional<QList<QByteArray>> campi_controllati(const QByteArray& riga) {
    const qsizetype i = riga.lastIndexOf(",#");
    if (i < 0) return std::nullopt;
    bool ok = false;
    const uint crc = riga.mid(i + 2).toUInt(&ok, 16);
    if (!ok || riga.size() - i - 2 != 4 || crc != qChecksum(QByteArrayView(riga.constData(), i))) return std::nullopt;
    return riga.left(i).split(',');
}

}  // namespace

QString nome_file(const QString& esercizio, const QDateTime& quando) {
    // However long the exercise's name, the journal's name with its number, its
    // extension and its temporary suffix ("_99.giornale.0123abcd.tmp") stays within
    // what the file system holds.
    constexpr qsizetype spazio_esercizio = nomi_cartelle::componente_massimo - 60;
    return nomi_cartelle::rendi_sicuro(
        nomi_cartelle::accorcia(esercizio, spazio_esercizio) + u'_' + quando.toString(forma_data_nome),
        QStringLiteral("prova"));
}

std::optional<DatiNome> leggi_nome_file(const QString& base) {
    // The date's characters are all safe, so the name ends with it as it was written;
    // each field of the pattern is as long as its digits.
    const qsizetype trattino = base.size() - forma_data_nome.size() - 1;
    if (trattino < 0 || base[trattino] != u'_') return std::nullopt;
    const QString data = base.mid(trattino + 1);
    const QDateTime quando = QDateTime::fromString(data, forma_data_nome);
    // Written back the same: two digits in every field, nothing else.
    if (!quando.isValid() || quando.toString(forma_data_nome) != data) return std::nullopt;
    return DatiNome{base.left(trattino), quando};
}

QByteArray numero(double v) {
    char b[40];
    const auto r = std::to_chars(b, b + sizeof b, v);
    return QByteArray(b, r.ptr - b);
}

QByteArray testo_csv(const TestataArchivio& testata, const std::vector<Salto>& salti) {
    QString intestazione = QStringLiteral("HOPA,") +
                           campo_testo(QStringLiteral("Prova del ") + testata.quando.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))) +
                           u',' + campo_testo(testata.atleta) + u',' + campo_testo(testata.esercizio) +
                           QStringLiteral(",Salti,") + QString::number(salti.size()) +
                           QStringLiteral("\r\nN,T volo,T contatto,Altezza,Sp.Acc.,Pot.,Rip.\r\n,ms,ms,cm,cm,W,\r\n");
    QByteArray t = cp1252::codifica(intestazione);
    t.reserve(t.size() + static_cast<qsizetype>(salti.size()) * 64);
    int32_t k = 0;
    for (const Salto& s : salti) {
        t += QByteArray::number(++k) + ',' + numero(s.t_volo) + ',' + numero(s.t_contatto) + ',' + numero(s.altezza) +
             ',' + numero(s.s_acc) + ',' + numero(s.potenza) + ',' + QByteArray::number(numeri::arrotonda_i32(s.n_rip)) +
             "\r\n";
    }
    return t;
}

QByteArray inizio_giornale(const TestataArchivio& testata) {
    return marca_giornale + '\n' +
           con_controllo("T," + testata.processo.toPercentEncoding() + ',' + testata.quando.toString(forma_quando).toLatin1() +
                         ',' + testata.atleta.toUtf8().toPercentEncoding() + ',' +
                         testata.esercizio.toUtf8().toPercentEncoding());
}

QByteArray riga_salto(int32_t k, const Salto& s) {
    return con_controllo("S," + QByteArray::number(k) + ',' + numero(s.t_volo) + ',' + numero(s.t_contatto) + ',' +
                         numero(s.altezza) + ',' + numero(s.s_acc) + ',' + numero(s.potenza) + ',' + numero(s.n_rip));
}

QByteArray riga_eliminazione(int32_t k) { return con_controllo("E," + QByteArray::number(k)); }

QByteArray giornale(const TestataArchivio& testata, const std::vector<Salto>& salti) {
    QByteArray t = inizio_giornale(testata);
    t.reserve(t.size() + static_cast<qsizetype>(salti.size()) * 80);
    for (size_t i = 0; i < salti.size(); ++i) t += riga_salto(static_cast<int32_t>(i + 1), salti[i]);
    return t;
}

std::optional<GiornaleLetto> leggi_giornale(const QByteArray& testo, QString* errore) {
    QString scarto;
    if (!errore) errore = &scarto;
    QList<QByteArray> righe = testo.split('\n');
    righe.removeLast();  // after the last line end: empty, or a line cut short by the end of the program
    if (righe.isEmpty() || righe[0] != marca_giornale) {
        *errore = QStringLiteral("non è un archivio di prova");
        return std::nullopt;
    }
    if (righe.size() < 2) {
        *errore = QStringLiteral("manca l'intestazione della prova");
        return std::nullopt;
    }
    GiornaleLetto g;
    for (qsizetype n = 1; n < righe.size(); ++n) {
        const auto c = campi_controllati(righe[n]);
        const auto danno = [&] {
            *errore = QStringLiteral("riga %1 illeggibile").arg(n + 1);
            return std::nullopt;
        };
        if (!c || c->isEmpty()) return danno();
        const QByteArray& tipo = c->at(0);
        if (n == 1) {
            if (tipo != "T" || c->size() != 5) return danno();
            g.testata.processo = QByteArray::fromPercentEncoding(c->at(1));
            g.testata.quando = QDateTime::fromString(QString::fromLatin1(c->at(2)), forma_quando);
            g.testata.atleta = QString::fromUtf8(QByteArray::fromPercentEncoding(c->at(3)));
            g.testata.esercizio = QString::fromUtf8(QByteArray::fromPercentEncoding(c->at(4)));
            if (!g.testata.quando.isValid()) return danno();
        } else if (tipo == "S" && c->size() == 8) {
            const auto k = leggi_intero(c->at(1));
            if (!k || *k != static_cast<int32_t>(g.salti.size()) + 1) return danno();
            double v[6];
            for (int i = 0; i < 6; ++i) {
                const auto x = leggi_double(c->at(i + 2));
                if (!x) return danno();
                v[i] = *x;
            }
            g.salti.push_back({v[0], v[2], v[1], v[3], v[4], v[5]});
        } else if (tipo == "E" && c->size() == 2) {
            const auto k = leggi_intero(c->at(1));
            if (!k || *k < 1 || *k > static_cast<int32_t>(g.salti.size())) return danno();
            elimina(g.salti, *k);
        } else {
            return danno();
        }
    }
    return g;
}

void elimina(std::vector<Salto>& salti, int32_t k) {
    if (k >= 1 && k <= static_cast<int32_t>(salti.size())) salti.erase(salti.begin() + (k - 1));
}

}  // namespace formato_archivio
