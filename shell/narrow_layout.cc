#include "shell/narrow_layout.h"

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
// A trend is short ("UP 103%"); its figure takes what is left, the most of the three.
constexpr int kTrendColumns = 3;

struct Layout {
  std::vector<NarrowRow> rows;
  std::vector<std::pair<int, NarrowPlacement>> placements;  // by identifier
};

// One line of a frame: a frame within it, a heading with its figures, or controls side by side.
struct Line {
  enum class Kind { kFrame, kFigure, kSideBySide };
  Kind kind;
  std::vector<const ControlLayout*> controls;
};

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
  LayoutBuilder() {
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

  std::vector<Line> LinesOf(const ControlLayout* frame) const {
    std::vector<const ControlLayout*> members;
    for (const ControlLayout* control : controls_) {
      if (FrameOf(*control) == frame) members.push_back(control);
    }
    std::vector<Line> lines;
    std::vector<const ControlLayout*> placed;
    const auto is_placed = [&](const ControlLayout* control) {
      return std::find(placed.begin(), placed.end(), control) != placed.end();
    };
    // A heading with the figure it names, then that figure's trend.
    for (const ControlLayout* heading : members) {
      if (heading->kind != ControlKind::kLabel) continue;
      Line line{Line::Kind::kFigure, {heading}};
      for (const bool trend : {false, true}) {
        for (const ControlLayout* box : members) {
          if (box->kind == ControlKind::kTextBox && box->heading == heading->text &&
              box->trend == trend)
            line.controls.push_back(box);
        }
      }
      if (line.controls.size() == 1) continue;
      placed.insert(placed.end(), line.controls.begin(), line.controls.end());
      lines.push_back(std::move(line));
    }
    for (const ControlLayout* control : members) {
      if (is_placed(control)) continue;
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
      if (line.kind != Line::Kind::kSideBySide) continue;
      std::stable_sort(line.controls.begin(), line.controls.end(),
                       [](const auto* a, const auto* b) { return a->place.x < b->place.x; });
    }
    // The window's frames in creation order; a frame's lines top to bottom, then left to right.
    if (frame != nullptr) {
      const auto top_left = [](const Line& line) {
        std::pair<int, int> corner = {line.controls.front()->place.y,
                                      line.controls.front()->place.x};
        for (const ControlLayout* control : line.controls)
          corner = std::min(corner, std::pair{control->place.y, control->place.x});
        return corner;
      };
      std::stable_sort(lines.begin(), lines.end(),
                       [&](const Line& a, const Line& b) { return top_left(a) < top_left(b); });
    }
    return lines;
  }

  // `depth` is the number of frames around the lines.
  void LayOutLines(const std::vector<Line>& lines, int depth) {
    for (const Line& line : lines) {
      if (line.kind == Line::Kind::kFrame) {
        LayOutFrame(*line.controls.front(), depth);
      } else {
        LayOutLine(line, depth);
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

  void LayOutLine(const Line& line, int depth) {
    const ControlLayout& first = *line.controls.front();
    const bool choice = first.source == InitialText::kChoiceText;
    layout_.rows.push_back(choice ? NarrowRow::kEvenLine : NarrowRow::kLine);
    const int row = static_cast<int>(layout_.rows.size());
    std::vector<int> columns = ColumnsOf(line);
    int column = 1;
    for (std::size_t k = 0; k < line.controls.size(); ++k) {
      const ControlLayout& control = *line.controls[k];
      NarrowPlacement placement;
      placement.row = row;
      placement.column = column;
      placement.columns = columns[k];
      if (column == 1) placement.indent_start = depth;
      column += columns[k];
      if (column > kNarrowColumns) placement.indent_end = depth;
      if (choice && control.element >= 1 && control.element <= static_cast<int>(Reserves().size()))
        placement.reserve = Reserves()[static_cast<std::size_t>(control.element - 1)];
      Place(control, placement);
    }
  }

  // How many columns each control of the line takes: a heading and its figures their fixed shares,
  // controls side by side their share of the desktop's width.
  static std::vector<int> ColumnsOf(const Line& line) {
    if (line.kind == Line::Kind::kFigure) {
      if (line.controls.size() == 2) return {kHeadingColumns, kNarrowColumns - kHeadingColumns};
      return {kHeadingColumns, kNarrowColumns - kHeadingColumns - kTrendColumns, kTrendColumns};
    }
    int total = 0;
    for (const ControlLayout* control : line.controls) total += control->place.width;
    std::vector<int> columns;
    int used = 0;
    int ended = 0;
    for (const ControlLayout* control : line.controls) {
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

  std::vector<const ControlLayout*> controls_;
  Layout layout_;
};

const Layout& TheLayout() {
  static const Layout layout = LayoutBuilder().Build();
  return layout;
}

}  // namespace

std::span<const NarrowRow> NarrowRows() { return TheLayout().rows; }

const NarrowPlacement* FindNarrowPlacement(int id) {
  for (const auto& [placed, placement] : TheLayout().placements) {
    if (placed == id) return &placement;
  }
  return nullptr;
}

}  // namespace townwright
