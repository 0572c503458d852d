#pragma once
// The program-wide phase of work and what the timer's next tick does.

#include <cstdint>

namespace dozudo {

enum GameState : std::uint8_t {
    gsIdle = 0,
    gsRestored = 1,
    gsEntering = 2,
    gsSolving = 3,
    gsSolved = 4,
};

enum FillMode : std::uint8_t {
    fmNone = 0,
    fmFilling = 1,
    fmTakeBack = 2,
    fmClipboard = 3,
};

}  // namespace dozudo
