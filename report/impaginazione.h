#pragma once

#include <QRectF>
#include <QSizeF>

#include <array>
#include <cstdint>
#include <vector>

// Where everything goes on the report's pages, in millimetres from the top-left
// corner of the area inside the margins. Page 1 holds the title, the header
// fields, the coach's figures beside the means and decrements, the graph and the
// start of the jump table; later pages hold a running head and the table. The
// table runs in two blocks side by side, each under its own column heads.
namespace impaginazione {

// A4 with a wider left margin, for a binder.
inline constexpr double larghezza_a4 = 210, altezza_a4 = 297;
inline constexpr double margine_sinistro = 25, margine_destro = 15, margine_alto = 15, margine_basso = 12;
QSizeF contenuto_a4();

inline constexpr double altezza_testata = 6;  // column heads of a table block
inline constexpr double altezza_riga = 4.6;   // one jump
inline constexpr double spazio_blocchi = 6;   // between the two blocks

struct Geometria {
    QRectF titolo, intestazione, figure, medie, grafico;  // page 1
    QRectF testata_pagina;                                 // running head, later pages
    QRectF piede;                                          // footer, every page
    double alto_tabella_prima = 0, alto_tabella_altre = 0, fondo_tabella = 0;
    double larghezza_blocco = 0;
    // Left edge of table block b (0 or 1).
    double sinistra_blocco(int b) const { return b * (larghezza_blocco + spazio_blocchi); }
};

Geometria geometria(QSizeF contenuto);

// Jumps of one table block: rows prima .. prima + righe - 1, 0-based (row r is jump r + 1).
struct Blocco {
    int32_t prima = 0;
    int32_t righe = 0;
};

struct Pagina {
    double alto_tabella = 0;
    std::array<Blocco, 2> blocchi{};
};

// Pages for a test of n jumps: always at least one. The left block of a page
// fills before the right one. A first page with room for fewer than three rows
// a block leaves the table to the next page.
std::vector<Pagina> impagina(int32_t n_salti, const Geometria& g);

// Rows of one block between `alto` and the table's bottom.
int32_t righe_per_blocco(double alto, const Geometria& g);

}  // namespace impaginazione
