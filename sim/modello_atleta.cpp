#include "sim/modello_atleta.h"

SorgenteSalti::SorgenteSalti(uint32_t seme) : rng_(seme) {}

std::optional<SorgenteSalti> SorgenteSalti::da_script(const QString& testo, QString* errore) {
    SorgenteSalti s;
    s.copione_ = true;
    const QStringList righe = testo.split(QLatin1Char('\n'));
    for (int n = 0; n < righe.size(); ++n) {
        const QString riga = righe[n].trimmed();
        if (riga.isEmpty() || riga.startsWith(QLatin1Char('#'))) continue;
        const QStringList p = riga.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok1 = false, ok2 = false, ok3 = true;
        TempiSalto t;
        if (p.size() >= 2) {
            t.contatto_us = p[0].toLongLong(&ok1);
            t.volo_us = p[1].toLongLong(&ok2);
        }
        if (p.size() >= 3) t.pausa_ms = p[2].toInt(&ok3);
        if (p.size() < 2 || p.size() > 3 || !ok1 || !ok2 || !ok3 || t.pausa_ms < -1) {
            if (errore) *errore = QStringLiteral("riga %1: \"%2\"").arg(n + 1).arg(riga);
            return std::nullopt;
        }
        s.righe_.push_back(t);
    }
    return s;
}

std::optional<TempiSalto> SorgenteSalti::prossimo() {
    if (copione_) {
        if (pos_ >= righe_.size()) return std::nullopt;
        return righe_[pos_++];
    }
    std::uniform_int_distribution<int> contatto(150000, 300000);
    std::uniform_int_distribution<int> volo(350000, 600000);
    std::uniform_int_distribution<int> rimbalzo(2000, 19000);
    std::uniform_int_distribution<int> dado(0, 19);
    TempiSalto t;
    t.contatto_us = contatto(rng_);
    t.volo_us = dado(rng_) == 0 ? rimbalzo(rng_) : volo(rng_);
    return t;
}
