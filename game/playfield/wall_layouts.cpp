#include "game/playfield/wall_layouts.h"

namespace Zarvo {

const std::array<WallLayout, kWallLayoutCount> WallLayouts = {{
    {".X....X....X....X.", "XXX..XXX..XXX..XXX", ".X....X....X....X.", "..................",
     ".................."},
    {".XXX....XX....XXX.", "XXXXX..XXXX..XXXXX", "XXXXX..XXXX..XXXXX", ".XXX....XX....XXX.",
     ".................."},
    {"XX...........XXXXX", "XX....XXXXXX.XXXXX", "......XXXXXX......", "XXXXX...........XX",
     "XXXXX...........XX"},
    {"XXX.X.XXX.XXX.....", "X.....X.X.X.X.....", "X...X.XXX.X.X.....", "X...X.X.X.X.X.....",
     "XXX.X.X.X.XXX.X.X."},
    {".XXX...XXXX...XXX.", "XXXXX.XXXXXX.XXXXX", "XXXXX.XXXXXX.XXXXX", "XXXXX.XXXXXX.XXXXX",
     ".XXX...XXXX...XXX."},
    {"XXXXXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXXXXX", "..................",
     ".................."},
    {"XXXXXXXXXXXXXXXXXX", "..................", "XXXXXXXXXXXXXXXXXX", "..................",
     "XXXXXXXXXXXXXXXXXX"},
    {"XXXXXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXXXXX",
     "XXXXXXXXXXXXXXXXXX"},
}};

namespace {

struct Row {
  std::int32_t top;
  std::int32_t kind;
};
constexpr std::array<Row, kWallRows> kRows = {{{100, 1}, {122, 3}, {144, 2}, {166, 1}, {188, 3}}};

}  // namespace

int LayoutForLevel(std::int32_t level) {
  const int rest = static_cast<int>(level % kWallLayoutCount);
  // A level below 1 never happens in play; it still gets a wall.
  return rest > 0 ? rest : rest + kWallLayoutCount;
}

bool HasBrick(int layout, int row, int column) {
  if (layout < 1 || layout > kWallLayoutCount || row < 1 || row > kWallRows || column < 1 ||
      column > kWallColumns) {
    return false;
  }
  return WallLayouts[static_cast<std::size_t>(layout - 1)][static_cast<std::size_t>(row - 1)]
                    [column - 1] != '.';
}

int BrickCount(int layout) {
  int count = 0;
  for (int row = 1; row <= kWallRows; ++row) {
    for (int column = 1; column <= kWallColumns; ++column) count += HasBrick(layout, row, column);
  }
  return count;
}

std::int32_t RowTop(int row) {
  return row >= 1 && row <= kWallRows ? kRows[static_cast<std::size_t>(row - 1)].top : 0;
}

std::int32_t RowKind(int row) {
  return row >= 1 && row <= kWallRows ? kRows[static_cast<std::size_t>(row - 1)].kind : 0;
}

BrickColours ColoursOfKind(std::int32_t kind) {
  switch (kind) {
    case 1: return {0x00FFFF, 0x0000FF};  // yellow to red
    case 2: return {0x008000, 0x00FFFF};  // green to yellow
    default: return {0xFFC105, 0x333300};  // light blue to dark teal
  }
}

}  // namespace Zarvo
