#pragma once

#include <QStringList>

#include <array>
#include <cstdint>

// The configuration dialog's rows as plain data: for each row its entries in
// order and its selected position (-1 for none). The register files are written
// from and read into this form.
struct RigaConfigurazione {
    QStringList voci;
    int32_t selezionata = -1;
};

inline constexpr int riga_squadra = 0;
inline constexpr int riga_atleta = 1;
inline constexpr int riga_esercizio = 2;
inline constexpr int riga_t_volo = 3;
inline constexpr int riga_nota = 4;
inline constexpr int ultima_riga = 4;  // the rows are 0..ultima_riga

using RigheConfigurazione = std::array<RigaConfigurazione, ultima_riga + 1>;
