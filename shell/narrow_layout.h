#pragma once

// The main window laid out for a viewport narrower than the window itself (a phone held upright):
// the same controls, in the same document order, on a grid of kNarrowColumns equal columns whose
// rows take the height of what they hold. Decided here, from the control table, so that a window
// that offers it (the page) only applies it, at any width, without asking the game again.
//
// The window's frames follow one another as they were created ("Details", then "Projects to
// Approve or Decline", then "Information"), each a title row, one row per line of what it holds,
// and a closing row. Inside a frame the lines go top to bottom as on the desktop. A heading and the
// figure and trend it names share one line (so the eight indicators take eight rows and the nine
// choices follow at once, all on a phone's first screen); controls side by side on the desktop
// stay side by side, sharing the columns as they share the desktop's width; a frame within a frame
// is a line of its own, indented one step further.

#include <span>
#include <string_view>

namespace townwright {

inline constexpr int kNarrowColumns = 12;

// What a row of the grid holds, which decides its height.
enum class NarrowRow {
  kFrameTitle,  // the top edge of a frame, with its title
  kLine,        // a line of controls, as tall as the tallest of them
  kEvenLine,    // a choice: all such rows are one height, the tallest's
  kFrameEnd,    // the bottom edge of a frame
};

struct NarrowPlacement {
  int row = 1;  // the first row and the first column, counted from 1
  int rows = 1;
  int column = 1;
  int columns = kNarrowColumns;
  // Steps of a frame's padding between the control and the grid's start and end edges: one for
  // each frame around it, on the sides where it touches that edge; none between neighbours.
  int indent_start = 0;
  int indent_end = 0;
  // For a choice button, a caption it keeps room for, invisibly, whatever it shows: choice k the
  // k-th longest of the catalogue. With their rows even, every choice is as tall as the tallest of
  // those needs at the width, so that no caption a turn brings moves a control.
  std::string_view reserve;
};

// The grid's rows, top to bottom.
std::span<const NarrowRow> NarrowRows();

// The placement of the control with identifier `id`, or nullptr for an identifier that the control
// table does not lay out.
const NarrowPlacement* FindNarrowPlacement(int id);

}  // namespace townwright
