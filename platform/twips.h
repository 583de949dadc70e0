#pragma once

#include <QRect>

// Window coordinates in twips (1/1440 inch) and pixels, at the screen's logical
// DPI: 15 twips per pixel at 96 DPI. Every layout is written in twips.
namespace twips {

// Twips per pixel now in force (from the primary screen's logical DPI, 96 when
// there is no screen). Tests may fix it.
double per_pixel();
void imposta_per_pixel(double tpp);  // <= 0 goes back to the screen's value

int a_pixel(double tw);     // rounded to the nearest pixel
double da_pixel(int px);

QRect rettangolo_pixel(double sinistra, double alto, double larghezza, double altezza);

}  // namespace twips
