// The cards' grid as the keyboard walks it: where one arrow key takes the
// focus from a card. Every presenter moves the focus by this one rule.
#pragma once

namespace koppelo::game {

enum class Direction { Left, Right, Up, Down };

// The slot one step away from slot; at an edge the focus stays put.
int stepFrom(int slot, Direction direction);

}  // namespace koppelo::game
