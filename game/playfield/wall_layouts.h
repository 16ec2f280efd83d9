// The eight walls of bricks, which come back every eight levels, and where
// and in which colours their rows stand.
#pragma once

#include <array>
#include <cstdint>

#include "platform/api/base.h"

namespace Zarvo {

inline constexpr int kWallRows = 5;
inline constexpr int kWallColumns = 18;
inline constexpr int kWallLayoutCount = 8;

// A row is written left to right: 'X' a brick, '.' an empty cell.
using WallLayout = std::array<const char*, kWallRows>;
extern const std::array<WallLayout, kWallLayoutCount> WallLayouts;

// Layout 1 to 8 for a level: the walls repeat every eight levels.
int LayoutForLevel(std::int32_t level);

// Whether cell (row, column) of a layout holds a brick; all 1-based.
bool HasBrick(int layout, int row, int column);
int BrickCount(int layout);

// The top of row 1 to 5, and its brick kind.
std::int32_t RowTop(int row);
std::int32_t RowKind(int row);

// A brick's gradient from its left edge colour to its right edge colour;
// kinds other than 1 and 2 take the colours of kind 3.
struct BrickColours {
  COLORREF left;
  COLORREF right;
};
BrickColours ColoursOfKind(std::int32_t kind);

}  // namespace Zarvo
