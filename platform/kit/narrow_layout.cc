#include "platform/kit/narrow_layout.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "data/catalogue.h"
#include "shell/control_table.h"
#include "view/choice_buttons.h"

namespace townwright {
namespace {

// A figure's heading takes a third of the width: "Velocity of Money" in two lines at most.
constexpr int kHeadingColumns = 4;

struct Layout {
  std::vector<NarrowRow> rows;
  std::vector<std::pair<int, NarrowPlacement>> placements;  // by identifier
};

// One line of a frame: a frame within it, a heading with the one figure it names, controls side by
// side, or the indicators (each a heading, its figure and its trend, in turn).
struct Line {
  enum class Kind { kFrame, kFigure, kSideBySide, kIndicators };
  Kind kind;
  std::vector<const ControlLayout*> controls;
};

// Sorted by `key`, keeping the order of equals: a handful of items, and small code on a page.
template <typename Item, typename Key>
void SortBy(std::vector<Item>& items, Key key) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    for (std::size_t j = i; j > 0 && key(items[j]) < key(items[j - 1]); --j) {
      std::swap(items[j], items[j - 1]);
    }
  }
}

// The captions the choice buttons keep room for, longest first.
const std::vector<std::string>& Reserves() {
  static const std::vector<std::string> reserves = [] {
    CityState catalogue;
    FillCatalogues(catalogue);
    return LongestChoiceCaptions(catalogue);
  }();
  return reserves;
}

bool Encloses(const DialogRect& outer, const DialogRect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

bool SideBySide(const DialogRect& a, const DialogRect& b) {
  return std::max(a.y, b.y) < std::min(a.y + a.height, b.y + b.height);
}

class LayoutBuilder {
 public:
  explicit LayoutBuilder(int figures_per_line) : figures_per_line_(figures_per_line) {
    for (const ControlLayout& control : WindowControls()) controls_.push_back(&control);
    for (const ControlLayout& control : TaxBoxes()) controls_.push_back(&control);
  }

  Layout Build() && {
    LayOutLines(LinesOf(nullptr), 0);
    return std::move(layout_);
  }

 private:
  // The smallest frame that encloses `control`; nullptr for the window's own frames.
  const ControlLayout* FrameOf(const ControlLayout& control) const {
    const ControlLayout* holder = nullptr;
    for (const ControlLayout* frame : controls_) {
      if (frame->kind != ControlKind::kFrame || frame == &control ||
          !Encloses(frame->place, control.place))
        continue;
      if (holder == nullptr || Encloses(holder->place, frame->place)) holder = frame;
    }
    return holder;
  }

  // The text box under `heading` that is its figure, or its trend; nullptr where there is none.
  static const ControlLayout* BoxOf(const std::vector<const ControlLayout*>& members,
                                    const ControlLayout& heading, bool trend) {
    for (const ControlLayout* box : members) {
      if (box->kind == ControlKind::kTextBox && box->heading == heading.text && box->trend == trend)
        return box;
    }
    return nullptr;
  }

  std::vector<Line> LinesOf(const ControlLayout* frame) const {
    std::vector<const ControlLayout*> members;
    for (const ControlLayout* control : controls_) {
      if (FrameOf(*control) == frame) members.push_back(control);
    }
    std::vector<Line> lines;
    std::vector<const ControlLayout*> placed;
    // A heading with the figure it names, and with its trend where it has one: an indicator.
    for (const ControlLayout* heading : members) {
      if (heading->kind != ControlKind::kLabel) continue;
      const ControlLayout* figure = BoxOf(members, *heading, false);
      const ControlLayout* trend = BoxOf(members, *heading, true);
      if (figure == nullptr) continue;
      if (trend == nullptr) {
        lines.push_back({Line::Kind::kFigure, {heading, figure}});
      } else {
        if (lines.empty() || lines.back().kind != Line::Kind::kIndicators)
          lines.push_back({Line::Kind::kIndicators, {}});
        lines.back().controls.insert(lines.back().controls.end(), {heading, figure, trend});
      }
      placed.insert(placed.end(), {heading, figure, trend});
    }
    for (const ControlLayout* control : members) {
      if (std::find(placed.begin(), placed.end(), control) != placed.end()) continue;
      if (control->kind == ControlKind::kFrame) {
        lines.push_back({Line::Kind::kFrame, {control}});
        continue;
      }
      const auto beside = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
        return line.kind == Line::Kind::kSideBySide &&
               SideBySide(line.controls.front()->place, control->place);
      });
      if (beside == lines.end()) {
        lines.push_back({Line::Kind::kSideBySide, {control}});
      } else {
        beside->controls.push_back(control);
      }
    }
    for (Line& line : lines) {
      if (line.kind == Line::Kind::kSideBySide)
        SortBy(line.controls, [](const ControlLayout* control) { return control->place.x; });
    }
    // The window's frames in creation order; a frame's lines top to bottom, then left to right.
    if (frame != nullptr) {
      SortBy(lines, [](const Line& line) {
        std::pair<int, int> corner = {line.controls.front()->place.y,
                                      line.controls.front()->place.x};
        for (const ControlLayout* control : line.controls)
          corner = std::min(corner, std::pair{control->place.y, control->place.x});
        return corner;
      });
    }
    return lines;
  }

  // `depth` is the number of frames around the lines.
  void LayOutLines(const std::vector<Line>& lines, int depth) {
    for (const Line& line : lines) {
      switch (line.kind) {
        case Line::Kind::kFrame:
          LayOutFrame(*line.controls.front(), depth);
          break;
        case Line::Kind::kIndicators:
          LayOutIndicators(line.controls, depth);
          break;
        case Line::Kind::kFigure:
          LayOutRow(NarrowRow::kLine, line.controls,
                    {kHeadingColumns, kNarrowColumns - kHeadingColumns}, depth);
          break;
        case Line::Kind::kSideBySide:
          LayOutRow(line.controls.front()->source == InitialText::kChoiceText ? NarrowRow::kEvenLine
                                                                              : NarrowRow::kLine,
                    line.controls, ShareOfTheWidth(line.controls), depth);
          break;
      }
    }
  }

  void LayOutFrame(const ControlLayout& frame, int depth) {
    layout_.rows.push_back(NarrowRow::kFrameTitle);
    const int first_row = static_cast<int>(layout_.rows.size());
    LayOutLines(LinesOf(&frame), depth + 1);
    layout_.rows.push_back(NarrowRow::kFrameEnd);
    NarrowPlacement placement;
    placement.row = first_row;
    placement.rows = static_cast<int>(layout_.rows.size()) - first_row + 1;
    placement.indent_start = depth;
    placement.indent_end = depth;
    Place(frame, placement);
  }

  // The indicators in columns, as many to a line as asked for: a row of their headings, a row of
  // their figures and a row of their trends.
  void LayOutIndicators(const std::vector<const ControlLayout*>& columns, int depth) {
    const std::size_t indicators = columns.size() / 3;
    const auto per_line = static_cast<std::size_t>(figures_per_line_);
    for (std::size_t first = 0; first < indicators; first += per_line) {
      const std::size_t count = std::min(per_line, indicators - first);
      for (std::size_t part = 0; part < 3; ++part) {
        std::vector<const ControlLayout*> row;
        for (std::size_t k = first; k < first + count; ++k) row.push_back(columns[3 * k + part]);
        LayOutRow(part == 0 ? NarrowRow::kHeadings : NarrowRow::kFigures, row,
                  std::vector<int>(count, kNarrowColumns / figures_per_line_), depth);
      }
    }
  }

  void LayOutRow(NarrowRow kind, const std::vector<const ControlLayout*>& controls,
                 const std::vector<int>& columns, int depth) {
    layout_.rows.push_back(kind);
    const int row = static_cast<int>(layout_.rows.size());
    int column = 1;
    for (std::size_t k = 0; k < controls.size(); ++k) {
      const ControlLayout& control = *controls[k];
      NarrowPlacement placement;
      placement.row = row;
      placement.column = column;
      placement.columns = columns[k];
      if (column == 1) placement.indent_start = depth;
      column += columns[k];
      if (column > kNarrowColumns) placement.indent_end = depth;
      if (kind == NarrowRow::kEvenLine && control.element >= 1 &&
          control.element <= static_cast<int>(Reserves().size()))
        placement.reserve = Reserves()[static_cast<std::size_t>(control.element - 1)];
      Place(control, placement);
    }
  }

  // Controls side by side take their share of the desktop's width.
  static std::vector<int> ShareOfTheWidth(const std::vector<const ControlLayout*>& controls) {
    int total = 0;
    for (const ControlLayout* control : controls) total += control->place.width;
    std::vector<int> columns;
    int used = 0;
    int ended = 0;
    for (const ControlLayout* control : controls) {
      used += control->place.width;
      const int end = std::max(ended + 1, (kNarrowColumns * used + total / 2) / total);
      columns.push_back(end - ended);
      ended = end;
    }
    return columns;
  }

  void Place(const ControlLayout& control, const NarrowPlacement& placement) {
    layout_.placements.emplace_back(control.id, placement);
  }

  int figures_per_line_;
  std::vector<const ControlLayout*> controls_;
  Layout layout_;
};

const Layout* TheLayout(int figures_per_line) {
  static const std::array<Layout, kFiguresPerLine.size()> layouts = [] {
    std::array<Layout, kFiguresPerLine.size()> made;
    for (std::size_t i = 0; i < made.size(); ++i)
      made[i] = LayoutBuilder(kFiguresPerLine[i]).Build();
    return made;
  }();
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    if (kFiguresPerLine[i] == figures_per_line) return &layouts[i];
  }
  return nullptr;
}

}  // namespace

std::span<const NarrowRow> NarrowRows(int figures_per_line) {
  const Layout* layout = TheLayout(figures_per_line);
  if (layout == nullptr) return {};
  return layout->rows;
}

const NarrowPlacement* FindNarrowPlacement(int figures_per_line, int id) {
  const Layout* layout = TheLayout(figures_per_line);
  if (layout == nullptr) return nullptr;
  for (const auto& [placed, placement] : layout->placements) {
    if (placed == id) return &placement;
  }
  return nullptr;
}

}  // namespace townwright
