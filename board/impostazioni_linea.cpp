#include "board/impostazioni_linea.h"

namespace {
// The 1-based character at `pos`, or nothing when outside the text.
QString carattere(const QString& s, int pos) { return pos >= 1 && pos <= s.size() ? s.mid(pos - 1, 1) : QString(); }
}  // namespace

SceltaLinea scomponi_impostazioni(const QString& s) {
    SceltaLinea r;
    const int n = static_cast<int>(s.size());
    const int o = s.contains(QLatin1Char('.')) ? 2 : 0;
    if (n - 6 - o > 0) r.velocita = s.left(n - 6 - o);
    const QString p = carattere(s, n - 4 - o).toLower();
    static const QString lettere = QStringLiteral("eonms");
    if (p.size() == 1) r.parita = static_cast<int>(lettere.indexOf(p));
    r.bit_dati = carattere(s, n - 2 - o);
    if (n >= 1 + o) r.bit_stop = s.right(1 + o);
    // The list writes one and a half with the decimal comma.
    r.bit_stop.replace(QLatin1Char('.'), QLatin1Char(','));
    return r;
}
