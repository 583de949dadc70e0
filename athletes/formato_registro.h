#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// Text conventions of the register files: one value per line ended by CR LF,
// 8-bit Windows-1252 text, integers as " 4 " / "-1 ".
namespace formato_registro {

// An integer line without its line end: a leading blank unless negative, one
// trailing blank.
QString intero(int32_t v);

// A text line without its line end. The value is written unchanged unless the
// reader would not give it back: a comma, a line break or a blank at either end
// puts it between double quotes.
QString testo(const QString& v);

// The lines, each followed by CR LF, as Windows-1252 bytes.
QByteArray righe_in_byte(const QStringList& righe);

// An integer read back from a field: its numeric prefix, rounded to the nearest.
int32_t leggi_intero(const QString& campo);

}  // namespace formato_registro
