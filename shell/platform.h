#pragma once

// The one door between the game and a window system. The portable shell drives the main window
// only through these operations; each backend (headless, Qt, Win32) implements them and translates
// its own toolkit's events into WindowEvents. No toolkit type appears here.
//
// Places and sizes are in dialog units: a horizontal unit is a quarter of the dialog font's
// average character width, a vertical unit an eighth of its height. Each backend maps them to its
// own pixels. There is one main window per platform object; controls are named by identifier.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/city_state.h"

namespace townwright {

struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// A rectangle in a window system's pixels: a control's place mapped from dialog units, or a
// window's place on the screen.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class ControlKind {
  kFrame,    // a group box with its text in the top edge; not a tab stop
  kLabel,    // left-aligned static text; not a tab stop
  kButton,   // a push button
  kTextBox,  // a single-line, editable entry with a sunken edge
};

// What the year box's font asks for; every other field of a logical font is 0 or off.
struct FontRequest {
  int height = 0;  // negative: a character height in pixels
  int weight = 400;
  std::string_view face;
};

// What happens to the main window, as the command handler sees it.
struct WindowEvent {
  enum class Kind {
    kInitialise,   // once, before the window is shown
    kActivation,   // the window became active (`active`) or inactive
    kCommand,      // a control's notification: `control_id`, `notification_code`
    kSystemClose,  // the window manager's close command (Alt+F4)
  };
  Kind kind = Kind::kInitialise;
  bool active = false;
  int control_id = 0;
  int notification_code = 0;
};

using WindowEventHandler = std::function<void(const WindowEvent&)>;

// Backends that have no handles of their own for controls (the headless and the Qt window) use
// these: a control's handle is its identifier moved out of the main window's way.
inline constexpr WindowHandle kMainWindowHandle = 1;
inline constexpr WindowHandle kFirstControlHandle = 0x10000;
inline constexpr WindowHandle ControlHandle(int id) {
  return kFirstControlHandle + static_cast<WindowHandle>(id);
}
// The identifier of the control a ControlHandle stands for; 0 for any other handle.
inline constexpr int ControlIdOfHandle(WindowHandle handle) {
  constexpr WindowHandle kLargestId = 0x7fffffff;
  return handle > kFirstControlHandle && handle - kFirstControlHandle <= kLargestId
             ? static_cast<int>(handle - kFirstControlHandle)
             : 0;
}

class Platform {
 public:
  virtual ~Platform() = default;

  // Creates the hidden main window with its caption, its client area's place (from the screen's
  // top-left corner) and size, and the dialog font. Returns 0 when it cannot be created.
  virtual WindowHandle CreateMainWindow(std::string_view caption, DialogRect client_area,
                                        std::string_view font_face, int font_points) = 0;

  // Creates a visible control with the dialog font. Returns 0 when it cannot be created.
  virtual WindowHandle CreateControl(int id, ControlKind kind, DialogRect place,
                                     std::string_view text) = 0;

  // Sets the text of control `id`; false when no such control exists.
  virtual bool SetControlText(int id, std::string_view text) = 0;

  // The text of control `id`, or nothing when no such control exists.
  virtual std::optional<std::string> ControlText(int id) = 0;

  // The screen's vertical pixels per logical inch.
  virtual int LogicalPixelsPerInch() = 0;

  // Creates a font that lives until the window is ended. Returns 0 on failure.
  virtual FontHandle CreateLogicalFont(const FontRequest& request) = 0;

  // Gives control `id` the font, without an immediate redraw.
  virtual void SetControlFont(int id, FontHandle font) = 0;

  // Shows a message box with one OK button, no icon and no owner window. It does not block the
  // main window: its commands, turns included, are still handled while the box is open.
  virtual void ShowMessageBox(std::string_view text, std::string_view caption) = 0;

  // Holds the game's thread; what was drawn before the pause is on screen during it.
  virtual void Pause(int milliseconds) = 0;

  // The control with the keyboard focus, or 0.
  virtual WindowHandle FocusedControl() = 0;
  virtual void SetFocus(WindowHandle control) = 0;

  // Sends kInitialise, shows the main window and delivers its events to `handler` until the window
  // is ended; then destroys the window and its fonts and returns the result it was ended with.
  // Returns at once when there is no main window.
  virtual int RunUntilEnded(const WindowEventHandler& handler) = 0;

  // Ends the main window with `result`; RunUntilEnded returns once the current event is handled.
  virtual void EndWindow(int result) = 0;
};

}  // namespace townwright
