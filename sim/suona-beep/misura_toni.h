#pragma once

#include <QByteArray>
#include <QList>

// The tones of a recording (16-bit mono little-endian samples): runs of samples
// above `soglia`, gaps shorter than 5 ms bridged. Their lengths in milliseconds.
QList<double> durate_toni_ms(const QByteArray& campioni, int frequenza, int soglia);
