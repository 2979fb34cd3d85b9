#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "platform/kit/narrow_layout.h"
#include "platform/web/page_functions.h"
#include "view/control_ids.h"
#include "view/indicator_panel.h"

// The page's door for the player's events: `platform` is the WebPlatform that listens.
extern "C" EMSCRIPTEN_KEEPALIVE void townwright_page_event(void* platform, int kind, int id,
                                                           int code, int active) {
  static_cast<townwright::web::WebPlatform*>(platform)->Deliver(kind, id, code, active != 0);
}

namespace townwright::web {
namespace {

// The kinds of event the page reports, and the notification code of a button's click. The page
// learns these numbers from TownwrightDescribeEvents, so that they are written here alone.
enum PageEvent : int { kPageActivation = 1, kPageCommand = 2 };
constexpr int kClickedNotification = 0;  // as a button's click is on the desktop
// The notification of a text box whose text the player changed, as a desktop edit box sends it
// (EN_CHANGE): the game acts on none, but keeps the game after it, typing included.
constexpr int kTextChanged = 0x300;

int Length(std::string_view text) {
  return static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
}

// The page's element for each kind of control.
const char* ElementOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame:
      return "fieldset";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kTextBox:
      break;
  }
  return "input";
}

std::size_t Slot(int id) { return static_cast<std::size_t>(id - control_id::kFirstId); }

// The letter by which the page knows a kind of row of the narrow layout.
char NarrowRowLetter(NarrowRow row) {
  switch (row) {
    case NarrowRow::kFrameTitle:
      return 't';
    case NarrowRow::kLine:
      return 'l';
    case NarrowRow::kEvenLine:
      return 'e';
    case NarrowRow::kHeadings:
      return 'h';
    case NarrowRow::kFigures:
      return 'f';
    case NarrowRow::kFrameEnd:
      break;
  }
  return 'b';
}

}  // namespace

WebPlatform::WebPlatform() {
  TownwrightDescribeEvents(kPageActivation, kPageCommand, kClickedNotification, kTextChanged);
}

WebPlatform::~WebPlatform() { DestroyWindow(); }

WindowHandle WebPlatform::CreateMainWindow(std::string_view caption, DialogRect client_area,
                                           std::string_view font_face, int font_points) {
  if (window_) return 0;  // one main window per platform
  int letters_width = 0;
  int height = 0;
  TownwrightCreateWindow(caption.data(), Length(caption), font_face.data(), Length(font_face),
                         font_points, &letters_width, &height);
  base_units_ = BaseUnitsFromLetters(letters_width, height);
  // A page has no screen corner to keep a distance from: only the size is the window's.
  const PixelRect client = DialogRectToPixels(client_area, base_units_);
  TownwrightSizeWindow(client.width, client.height);
  // Where the layout is the page's own, it lays the controls out on one of these grids.
  for (const int per_line : kFiguresPerLine) {
    std::string rows;
    for (const NarrowRow row : NarrowRows(per_line)) rows += NarrowRowLetter(row);
    TownwrightNarrowGrid(kNarrowColumns, per_line, rows.data(), Length(rows));
  }
  window_ = true;
  return kMainWindowHandle;
}

WindowHandle WebPlatform::CreateControl(int id, ControlKind kind, DialogRect place,
                                        std::string_view text, std::string_view accessible_name) {
  // The page keeps the window's own controls alone: the shell names no other.
  if (!window_ || !control_id::IsControlId(id)) return 0;
  const PixelRect pixels = DialogRectToPixels(place, base_units_);
  std::array<int, 6 * kFiguresPerLine.size()> cells{};  // a row of 0: none
  std::string_view reserve;
  for (std::size_t grid = 0; grid < kFiguresPerLine.size(); ++grid) {
    const NarrowPlacement* placement = FindNarrowPlacement(kFiguresPerLine[grid], id);
    if (placement == nullptr) continue;
    const int cell[] = {placement->row,     placement->rows,         placement->column,
                        placement->columns, placement->indent_start, placement->indent_end};
    std::copy(std::begin(cell), std::end(cell), cells.begin() + 6 * grid);
    reserve = placement->reserve;
  }
  TownwrightCreateControl(id, ElementOf(kind), pixels.x, pixels.y, pixels.width, pixels.height,
                          kFiguresPerLine.data(), static_cast<int>(kFiguresPerLine.size()),
                          cells.data(), reserve.data(), Length(reserve), text.data(), Length(text),
                          accessible_name.data(), Length(accessible_name));
  if (const std::optional<LongestTexts> longest = LongestFigureTexts(id)) {
    TownwrightFitFigure(id, longest->plain.data(), Length(longest->plain), kSmallestFigurePixels,
                        longest->exponent.data(), Length(longest->exponent),
                        kSmallestExponentFigurePixels);
  }
  exists_[Slot(id)] = true;
  texts_[Slot(id)] = text;
  return ControlHandle(id);
}

bool WebPlatform::SetControlText(int id, std::string_view text, std::string_view accessible_name) {
  if (!Exists(id)) return false;
  texts_[Slot(id)] = text;
  TownwrightSetText(id, text.data(), Length(text), accessible_name.data(), Length(accessible_name));
  return true;
}

std::optional<std::string> WebPlatform::ControlText(int id) {
  if (!Exists(id)) return std::nullopt;
  return texts_[Slot(id)];
}

// A CSS inch is 96 CSS pixels on every screen; the browser scales both with the zoom.
int WebPlatform::LogicalPixelsPerInch() { return 96; }

FontHandle WebPlatform::CreateLogicalFont(const FontRequest& request) {
  fonts_.push_back({.pixel_height = request.character_height,
                    .weight = request.weight,
                    .face = std::string(request.face)});
  return fonts_.size();
}

void WebPlatform::SetControlFont(int id, FontHandle font) {
  if (!Exists(id) || font == 0 || font > fonts_.size()) return;
  const Font& chosen = fonts_[font - 1];
  TownwrightSetFont(id, chosen.pixel_height, chosen.weight, chosen.face.data(),
                    Length(chosen.face));
}

void WebPlatform::ShowMessageBox(std::string_view text, std::string_view caption) {
  TownwrightShowMessageBox(text.data(), Length(text), caption.data(), Length(caption));
}

int WebPlatform::OpenMessageBoxes() { return TownwrightOpenMessageBoxes(); }

void WebPlatform::Pause(int milliseconds) { TownwrightPause(std::max(milliseconds, 0)); }

WindowHandle WebPlatform::FocusedControl() {
  const int id = TownwrightFocusedControl();
  return Exists(id) ? ControlHandle(id) : 0;
}

void WebPlatform::SetFocus(WindowHandle control) {
  const int id = ControlIdOfHandle(control);
  if (Exists(id)) TownwrightFocusControl(id);
}

void WebPlatform::Announce(std::string_view news) {
  if (!shown_) {
    news_before_shown_ = news;
    return;
  }
  TownwrightAnnounce(news.data(), Length(news));
}

int WebPlatform::RunUntilEnded(const WindowEventHandler& handler) {
  if (!window_) return 0;
  handler_ = handler;
  Handle({.kind = WindowEvent::Kind::kInitialise});
  if (!window_) return end_result_;  // ended as it started
  TownwrightShowWindow();
  shown_ = true;
  if (!news_before_shown_.empty()) Announce(std::exchange(news_before_shown_, {}));
  TownwrightListen(this);
  return kWindowStillOpen;
}

void WebPlatform::Deliver(int kind, int id, int code, bool active) {
  if (!handler_) return;
  if (kind == kPageActivation) {
    Handle({.kind = WindowEvent::Kind::kActivation, .active = active});
  } else if (kind == kPageCommand) {
    if (code == kTextChanged && Exists(id)) {
      std::string& text = texts_[Slot(id)];
      text.assign(static_cast<std::size_t>(TownwrightTypedTextLength()), '\0');
      // Written with its terminating NUL, which the string's own storage has room for.
      TownwrightCopyTypedText(text.data(), static_cast<int>(text.size()) + 1);
    }
    Handle({.kind = WindowEvent::Kind::kCommand, .control_id = id, .notification_code = code});
  } else {
    // A page and a module out of step: said on the console, where the player's report finds it.
    std::fprintf(stderr, "townwright: the page reported an event of unknown kind %d\n", kind);
  }
}

void WebPlatform::Handle(const WindowEvent& event) {
  handler_(event);
  if (!ended_) return;
  handler_ = nullptr;
  DestroyWindow();
}

void WebPlatform::EndWindow(int result) {
  if (ended_) return;
  ended_ = true;
  end_result_ = result;
}

void WebPlatform::KeepGame(std::string_view copy) { TownwrightKeepGame(copy.data(), Length(copy)); }

std::string WebPlatform::KeptGame() {
  std::string copy(static_cast<std::size_t>(TownwrightKeptGameLength()), '\0');
  // Written with its terminating NUL, which the string's own storage has room for.
  TownwrightCopyKeptGame(copy.data(), static_cast<int>(copy.size()) + 1);
  return copy;
}

bool WebPlatform::Exists(int id) const { return control_id::IsControlId(id) && exists_[Slot(id)]; }

void WebPlatform::DestroyWindow() {
  if (!window_) return;
  // The boxes go with the window: the game ends with it.
  TownwrightDestroyWindow();
  window_ = false;
  shown_ = false;
  exists_.fill(false);
  texts_.fill({});
  fonts_.clear();
}

}  // namespace townwright::web
