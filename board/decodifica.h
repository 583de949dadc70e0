#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>

// The two times of one board record, in microseconds as on the wire.
struct TempiScheda {
    int64_t contatto_us = 0;
    int64_t volo_us = 0;
};

// Big-endian signed 32-bit word of the serial frame (b0 most significant).
int32_t parola_be(const uint8_t* b);
// Little-endian unsigned 32-bit field of the HID report.
uint32_t parola_le(const uint8_t* b);

inline constexpr int byte_frame_seriale = 8;
inline constexpr int byte_report_hid = 10;

// The serial frame: contact then flight, each a signed 32-bit big-endian count.
TempiScheda decodifica_frame(const uint8_t* frame);
// The HID timing report (byte 0 the report ID): bytes 2..5 the contact, 6..9 the
// flight, each unsigned 32-bit little-endian. Nothing for a report too short to
// hold both.
std::optional<TempiScheda> decodifica_report_hid(const QByteArray& report);
