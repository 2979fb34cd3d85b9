#include "platform/web/web_platform.h"

#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "shell/narrow_layout.h"
#include "view/control_ids.h"

// The page's side of each operation, in page.js; texts cross as UTF-8 with their lengths.
// clang-format off
EM_JS(void, TownwrightDescribeEvents,
      (int activation, int command, int clicked, int text_changed), {
  TownwrightPage.describeEvents({activation, command, clicked, textChanged: text_changed});
});
EM_JS(void, TownwrightCreateWindow, (const char* caption, int caption_length, const char* face,
                                     int face_length, int points, int* letters_width, int* height), {
  const metrics = TownwrightPage.createWindow(UTF8ToString(caption, caption_length),
                                              UTF8ToString(face, face_length), points);
  HEAP32[letters_width >> 2] = metrics.lettersWidth;
  HEAP32[height >> 2] = metrics.height;
});
EM_JS(void, TownwrightSizeWindow, (int width, int height), {
  TownwrightPage.sizeWindow(width, height);
});
// The narrow layout's grid: its number of columns, and a letter for each row (NarrowRowLetter).
EM_JS(void, TownwrightNarrowGrid, (int columns, const char* rows, int rows_length), {
  TownwrightPage.narrowGrid(columns, UTF8ToString(rows, rows_length));
});
// `narrow` points to the control's narrow placement: row, rows, column, columns, indent at the
// start and at the end; a row of 0 is none.
EM_JS(void, TownwrightCreateControl, (int id, const char* element, int x, int y, int width,
                                      int height, const int* narrow, const char* reserve,
                                      int reserve_length, const char* text, int text_length,
                                      const char* name, int name_length), {
  const at = (k) => HEAP32[(narrow >> 2) + k];
  TownwrightPage.createControl(id, UTF8ToString(element), {x, y, width, height}, {
    row: at(0), rows: at(1), column: at(2), columns: at(3), indentStart: at(4), indentEnd: at(5),
    reserve: UTF8ToString(reserve, reserve_length),
  }, UTF8ToString(text, text_length), UTF8ToString(name, name_length));
});
EM_JS(void, TownwrightSetText, (int id, const char* text, int text_length, const char* name,
                                int name_length), {
  TownwrightPage.setText(id, UTF8ToString(text, text_length), UTF8ToString(name, name_length));
});
EM_JS(int, TownwrightTextLength, (int id), {
  return lengthBytesUTF8(TownwrightPage.text(id));
});
EM_JS(void, TownwrightCopyText, (int id, char* buffer, int size), {
  stringToUTF8(TownwrightPage.text(id), buffer, size);
});
EM_JS(void, TownwrightSetFont, (int id, int pixel_height, int weight, const char* face,
                                int face_length), {
  TownwrightPage.setFont(id, pixel_height, weight, UTF8ToString(face, face_length));
});
EM_JS(int, TownwrightOpenMessageBoxes, (), {
  return TownwrightPage.openMessageBoxes();
});
EM_JS(void, TownwrightShowMessageBox, (const char* text, int text_length, const char* caption,
                                       int caption_length), {
  TownwrightPage.showMessageBox(UTF8ToString(text, text_length),
                                UTF8ToString(caption, caption_length));
});
EM_JS(int, TownwrightFocusedControl, (), {
  return TownwrightPage.focusedControl();
});
EM_JS(void, TownwrightFocusControl, (int id), {
  TownwrightPage.focusControl(id);
});
EM_JS(void, TownwrightShowWindow, (), {
  TownwrightPage.showWindow();
});
EM_JS(void, TownwrightDestroyWindow, (), {
  TownwrightPage.destroyWindow();
});
// Gives the browser its thread until the player does something, then reports it.
EM_ASYNC_JS(void, TownwrightNextEvent, (int* kind, int* id, int* code, int* active), {
  const event = await TownwrightPage.nextEvent();
  HEAP32[kind >> 2] = event.kind;
  HEAP32[id >> 2] = event.id;
  HEAP32[code >> 2] = event.code;
  HEAP32[active >> 2] = event.active ? 1 : 0;
});
// The game kept for the life of the tab, in kept_game.js.
EM_JS(void, TownwrightKeepGame, (const char* copy, int copy_length), {
  TownwrightKeptGame.keep(UTF8ToString(copy, copy_length));
});
EM_JS(int, TownwrightKeptGameLength, (), {
  return lengthBytesUTF8(TownwrightKeptGame.kept());
});
EM_JS(void, TownwrightCopyKeptGame, (char* buffer, int size), {
  stringToUTF8(TownwrightKeptGame.kept(), buffer, size);
});
// clang-format on

namespace townwright::web {
namespace {

// The kinds of event the page reports, in TownwrightNextEvent, and the notification code of a
// button's click. The page learns these numbers from TownwrightDescribeEvents, so that they are
// written here alone.
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
  // Where the window is wider than the viewport, the page lays the controls out on this grid.
  std::string rows;
  for (const NarrowRow row : NarrowRows()) rows += NarrowRowLetter(row);
  TownwrightNarrowGrid(kNarrowColumns, rows.data(), Length(rows));
  window_ = true;
  return kMainWindowHandle;
}

WindowHandle WebPlatform::CreateControl(int id, ControlKind kind, DialogRect place,
                                        std::string_view text, std::string_view accessible_name) {
  // The page keeps the window's own controls alone: the shell names no other.
  if (!window_ || !control_id::IsControlId(id)) return 0;
  const PixelRect pixels = DialogRectToPixels(place, base_units_);
  NarrowPlacement narrow;
  narrow.row = 0;  // none, for a control the table does not lay out
  if (const NarrowPlacement* placement = FindNarrowPlacement(id)) narrow = *placement;
  const std::array<int, 6> cell = {narrow.row,     narrow.rows,         narrow.column,
                                   narrow.columns, narrow.indent_start, narrow.indent_end};
  TownwrightCreateControl(id, ElementOf(kind), pixels.x, pixels.y, pixels.width, pixels.height,
                          cell.data(), narrow.reserve.data(), Length(narrow.reserve), text.data(),
                          Length(text), accessible_name.data(), Length(accessible_name));
  exists_[Slot(id)] = true;
  return ControlHandle(id);
}

bool WebPlatform::SetControlText(int id, std::string_view text, std::string_view accessible_name) {
  if (!Exists(id)) return false;
  TownwrightSetText(id, text.data(), Length(text), accessible_name.data(), Length(accessible_name));
  return true;
}

std::optional<std::string> WebPlatform::ControlText(int id) {
  if (!Exists(id)) return std::nullopt;
  std::string text(static_cast<std::size_t>(TownwrightTextLength(id)), '\0');
  // Written with its terminating NUL, which the string's own storage has room for.
  TownwrightCopyText(id, text.data(), static_cast<int>(text.size()) + 1);
  return text;
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

void WebPlatform::Pause(int milliseconds) {
  // The browser paints what changed while the game sleeps; the player's clicks meanwhile wait in
  // the page's queue and become their own turns afterwards.
  emscripten_sleep(static_cast<unsigned>(std::max(milliseconds, 0)));
}

WindowHandle WebPlatform::FocusedControl() {
  const int id = TownwrightFocusedControl();
  return Exists(id) ? ControlHandle(id) : 0;
}

void WebPlatform::SetFocus(WindowHandle control) {
  const int id = ControlIdOfHandle(control);
  if (Exists(id)) TownwrightFocusControl(id);
}

int WebPlatform::RunUntilEnded(const WindowEventHandler& handler) {
  if (!window_) return 0;
  handler({.kind = WindowEvent::Kind::kInitialise});
  if (!ended_) TownwrightShowWindow();
  while (!ended_) {
    int kind = 0;
    int id = 0;
    int code = 0;
    int active = 0;
    TownwrightNextEvent(&kind, &id, &code, &active);
    if (kind == kPageActivation) {
      handler({.kind = WindowEvent::Kind::kActivation, .active = active != 0});
    } else if (kind == kPageCommand) {
      handler({.kind = WindowEvent::Kind::kCommand, .control_id = id, .notification_code = code});
    } else {
      // A page and a module out of step: said on the console, where the player's report finds it.
      std::fprintf(stderr, "townwright: the page reported an event of unknown kind %d\n", kind);
    }
  }
  const int result = end_result_;
  DestroyWindow();
  return result;
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
  exists_.fill(false);
  fonts_.clear();
}

}  // namespace townwright::web
