#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The athlete file "<name>.cfg": the marker, the eleven selected positions of
// `indice_utente`, the athlete's folder.
namespace file_atleta {

inline const QString marcatore = QStringLiteral("hopa_cfg");

QByteArray scrivi(const std::array<int32_t, 11>& indice_utente, const QString& cartella_utente);

struct Lettura {
    bool compatibile = false;       // the first value is the marker, letter case included
    std::vector<int32_t> indici;    // as many of the eleven positions as the file holds
    std::optional<QString> cartella;  // only when all eleven positions came before it
};

Lettura leggi(const QByteArray& contenuto);

}  // namespace file_atleta
