#include "board/decodifica.h"

int32_t parola_be(const uint8_t* b) {
    const uint32_t v = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | uint32_t{b[3]};
    return static_cast<int32_t>(v);
}

uint32_t parola_le(const uint8_t* b) {
    return uint32_t{b[0]} | (uint32_t{b[1]} << 8) | (uint32_t{b[2]} << 16) | (uint32_t{b[3]} << 24);
}

TempiScheda decodifica_frame(const uint8_t* frame) { return {parola_be(frame), parola_be(frame + 4)}; }

std::optional<TempiScheda> decodifica_report_hid(const QByteArray& report) {
    if (report.size() < byte_report_hid) return std::nullopt;
    const auto* b = reinterpret_cast<const uint8_t*>(report.constData());
    return TempiScheda{parola_le(b + 2), parola_le(b + 6)};
}
