#pragma once
// Key codes the keyboard handling understands (the classic virtual-key numbers).

namespace dozudo {

inline constexpr int vkBack = 8;
inline constexpr int vkEscape = 27;
inline constexpr int vkLeft = 37;
inline constexpr int vkUp = 38;
inline constexpr int vkRight = 39;
inline constexpr int vkDown = 40;
inline constexpr int vkDelete = 46;

}  // namespace dozudo
