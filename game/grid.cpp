#include "grid.h"

#include "game/board.h"

namespace koppelo::game {

int stepFrom(int slot, Direction direction)
{
    constexpr int kRows = kSlots / kColumns;
    const int column = slot % kColumns;
    const int row = slot / kColumns;
    switch (direction) {
    case Direction::Left:
        return column > 0 ? slot - 1 : slot;
    case Direction::Right:
        return column < kColumns - 1 ? slot + 1 : slot;
    case Direction::Up:
        return row > 0 ? slot - kColumns : slot;
    case Direction::Down:
        return row < kRows - 1 ? slot + kColumns : slot;
    }
    return slot;
}

}  // namespace koppelo::game
