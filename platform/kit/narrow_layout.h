#pragma once

// The main window laid out where the layout is the page's own rather than the desktop's (a viewport
// narrower than the window, or any touch screen): the same controls, in the same document order,
// on a grid of kNarrowColumns equal columns whose rows take the height of what they hold. Decided
// here, from the control table, so that a window that offers it (the page) only applies it, at any
// width, without asking the game again.
//
// The window's frames follow one another as they were created ("Details", then "Projects to
// Approve or Decline", then "Information"), each a title row, one row per line of what it holds,
// and a closing row. Inside a frame the lines go top to bottom as on the desktop. The indicators
// stand in columns as on the desktop, a heading over its figure over its trend, as many columns to
// a line as the width gives room for with every figure whole (kFiguresPerLine); a heading and the
// one figure it names share a line; other controls side by side on the desktop stay side by side,
// sharing the columns as they share the desktop's width; a frame within a frame is a line of its
// own, indented one step further.

#include <array>
#include <span>
#include <string_view>

namespace townwright {

inline constexpr int kNarrowColumns = 12;

// How many indicators share a line, most first: a window takes the most for which its width gives
// each figure box room for the longest plain figure (view/indicator_panel.h) at
// kSmallestFigurePixels.
inline constexpr std::array<int, 3> kFiguresPerLine = {4, 2, 1};

// The smallest text of a figure box, in CSS pixels: every figure in the plain form; and, in a box
// too narrow for it at the box's size, a figure in the exponent form, which may shrink that far
// and no further. The exponent form's longest text is at most half as long again as the plain
// form's, so room for the one at the first size is room for the other at the second.
inline constexpr int kSmallestFigurePixels = 12;
inline constexpr int kSmallestExponentFigurePixels = 8;

// What a row of the grid holds, which decides its height.
enum class NarrowRow {
  kFrameTitle,  // the top edge of a frame, with its title
  kLine,        // a line of controls, as tall as the tallest of them
  kEvenLine,    // a choice: all such rows are one height, the tallest's
  kHeadings,    // the indicators' headings, as tall as one line of their text
  kFigures,     // the indicators' figures or their trends, one height whatever they show
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

// The grid's rows, top to bottom, with `figures_per_line` indicators to a line (one of
// kFiguresPerLine).
std::span<const NarrowRow> NarrowRows(int figures_per_line);

// The placement of the control with identifier `id`, or nullptr for an identifier that the control
// table does not lay out, or a count not in kFiguresPerLine.
const NarrowPlacement* FindNarrowPlacement(int figures_per_line, int id);

}  // namespace townwright
