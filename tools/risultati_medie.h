#pragma once

#include <array>

// The last computed means and total decrements (indices 0..6, quantities as in
// calcolo_medie), kept between computations so the averages window may be hidden
// or made again freely.
struct RisultatiMedie {
    std::array<float, 7> medie{};
    std::array<float, 7> decrementi{};
};
