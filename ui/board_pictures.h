#pragma once
// The prepared pictures the board view is painted from: the empty board with its
// texture, group numbers and grid, and the selection mark.

#include <QImage>
#include <array>
#include <cstdint>

#include "model/colour.h"

namespace dozudo {

// Two textures of three pixel colours each: A for groups 1, 3, 5, 7, 9, B for 2, 4, 6, 8.
inline constexpr std::array<std::array<Rgb, 3>, 2> textureColors{{
    {{{0, 208, 240}, {0, 216, 248}, {0, 200, 232}}},
    {{{0, 192, 224}, {0, 200, 232}, {0, 184, 216}}},
}};

inline constexpr std::uint32_t groupNumberColor = 0xE0C080;  // $BBGGRR
inline constexpr std::uint32_t fieldLineColor = 0xD0D0FF;
inline constexpr std::uint32_t groupLineColor = 0x0000FF;
inline constexpr std::uint32_t markAmber = 0x00C0FF;
inline constexpr std::uint32_t markYellow = 0x00FFFF;

// Draws the empty board into a (9 * cellSize + 1) square picture; the texture noise
// comes from the given seed.
void buildBoardPicture(QImage& boardBitmap, int cellSize, std::uint64_t seed);
// Draws the four-pixel selection frame into a (cellSize - 1) square picture whose
// black inside is the transparent colour.
void buildSelectionMark(QImage& markBitmap);

// The pictures the main window needs before it is first shown: the empty board, the
// selection mark and the logo, at the given device pixel ratio.
struct StartPictures {
    QImage board, mark, logo;
};
// Safe to run on another thread than the interface's: it draws on pictures of its own.
StartPictures drawStartPictures(int cellSize, qreal ratio, std::uint64_t seed);

}  // namespace dozudo
