#include "files/lettura_csv.h"

#include "core/cp1252.h"
#include "core/lettore_campi.h"
#include "core/numeri.h"
#include "files/numero_esatto.h"
#include "platform/errori_file.h"
#include "platform/file_regolare.h"

#include <QFile>

namespace {

struct Fallito {
    QString descrizione;
};

class Campi {
public:
    explicit Campi(const QString& testo) : r_(testo) {}

    QString testo() {
        auto c = r_.campo();
        if (!c) throw Fallito{errori_lettura::fine_file};
        return *c;
    }
    // A number written with "." as decimal point; an empty field is 0.
    double numero() {
        const QString t = testo();
        if (t.trimmed().isEmpty()) return 0.0;
        auto v = numero_esatto(t);
        if (!v) throw Fallito{errori_lettura::tipo};
        return *v;
    }
    int16_t intero16() {
        auto v = numeri::converti_i16(numero());
        if (!v) throw Fallito{errori_lettura::overflow};
        return *v;
    }
    void salta_riga() { r_.salta_riga(); }

private:
    LettoreCampi r_;
};

}  // namespace

EsitoLettura leggi_prova_csv(const QString& testo) {
    Campi f(testo);
    try {
        if (f.testo() != QLatin1String("HOPA")) return {EsitoLettura::Tipo::Ignorata, {}, {}};
        ProvaLetta p;
        f.testo();
        p.nome_utente = f.testo();
        p.macchina_utente = f.testo();
        f.testo();
        const int n = f.intero16();
        if (n < 0) throw Fallito{errori_lettura::indice};
        f.salta_riga();
        f.salta_riga();
        p.salti.reserve(static_cast<size_t>(n));
        for (int k = 1; k <= n; ++k) {
            Salto s;
            f.intero16();
            s.t_volo = f.numero();
            s.t_contatto = f.numero();
            s.altezza = f.numero();
            s.s_acc = f.numero();
            s.potenza = f.numero();
            f.intero16();
            s.n_rip = k;
            p.salti.push_back(s);
        }
        return EsitoLettura::letta(std::move(p));
    } catch (const Fallito& e) {
        return EsitoLettura::con_errore(e.descrizione);
    }
}

EsitoLettura leggi_file_csv(const QString& percorso) {
    if (auto r = file_regolare::rifiuto(percorso)) return EsitoLettura::con_errore(*r);
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) return EsitoLettura::con_errore(errori_file::descrizione(f));
    const auto troppo_grande = [] {
        return EsitoLettura::con_errore(QStringLiteral("file troppo grande (oltre %1 byte)").arg(byte_massimi_csv));
    };
    if (f.size() > byte_massimi_csv) return troppo_grande();
    // Read in pieces: the buffer grows with the file, never to the limit at once.
    QByteArray dati;
    dati.reserve(f.size());
    char pezzo[64 * 1024];
    for (;;) {
        const qint64 n = f.read(pezzo, sizeof pezzo);
        if (n < 0) return EsitoLettura::con_errore(errori_file::descrizione(f));
        if (n == 0) break;
        dati.append(pezzo, n);
        if (dati.size() > byte_massimi_csv) return troppo_grande();
    }
    return leggi_prova_csv(cp1252::decodifica(dati));
}
