#pragma once

// The one door between the game and a window system. The portable shell drives the main window
// only through these operations; each backend implements them and turns its toolkit's events into
// WindowEvents: platform/headless (in memory, for tests and tools), platform/qt (the Linux
// desktop), platform/win32 (Windows) and platform/web (a web page). No toolkit type appears here.
// platform/contract/platform_test.cc proves the contract below over each backend that runs in the
// tests.
//
// Threads. Every operation is called on the one thread that runs the game: the thread that built
// the window and then called RunUntilEnded. No operation is safe to call from another thread.
//
// Events and re-entry. RunUntilEnded hands the handler one event at a time, and an event that
// arrives while the handler runs waits until it has returned. Pause never delivers an event: what
// the player does meanwhile waits, in order, and each action is handled after the current one (Qt
// and the page queue it, Win32's Sleep reads no messages). Two kinds of operation may enter the
// handler again before they return:
//   - ShowMessageBox may hold the thread until the box is closed, and deliver the main window's
//     events meanwhile: Win32's MessageBoxA runs a message loop of its own, so the handler is
//     entered again, turns and EndWindow included, from inside ShowMessageBox. The headless, Qt
//     and web windows return at once and the box lives on its own. The shell holds nothing across
//     ShowMessageBox that a turn could spoil.
//   - On Win32, CreateControl and SetControlText: an edit box reports a new text at once, with
//     the commands EN_UPDATE and EN_CHANGE sent to the dialog, which the handler ignores as it
//     ignores every code but 0 and 1 (see WindowEvent).
//
// Identifiers. Controls are named by identifier (view/control_ids.h). The shell creates each
// identifier at most once per window (it creates a control only where SetControlText found none),
// so a backend need not check for a second control with the same identifier.
//
// Ownership. The platform owns the main window, its controls, its message boxes and every font it
// made; all of them live until the window is ended (RunUntilEnded returns) or the platform is
// destroyed, whichever comes first. Handles are the platform's; 0 is none. There is one main window
// per platform object.
//
// Places and sizes are in dialog units: a horizontal unit is a quarter of the dialog font's
// average character width, a vertical unit an eighth of its height. Each backend maps them to its
// own pixels.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace townwright {

// An opaque handle to a window, a control or a font, as the window backend defines it; 0 is none.
using WindowHandle = std::uintptr_t;
using FontHandle = std::uintptr_t;

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

// A font: the height of its characters in pixels without the leading (what a negative LOGFONT
// height asks for, and a CSS font size), its weight and its face. Everything else is the toolkit's
// default.
struct FontRequest {
  int character_height = 0;
  int weight = 400;
  std::string_view face;
};

// What happens to the main window, as the command handler sees it.
//
// A command carries its control's identifier and a notification code because the game's rules
// are written in them: a command is acted on only with code 0 (a click) or 1, and the identifiers
// 1 and 2, which no control has (view/control_ids.h), do nothing. The portable handler keeps those
// rules so that the shell's tests prove them without a window; each backend maps its toolkit onto
// them:
//   - Win32 passes WM_COMMAND as it comes: the low word is the identifier, the high word the code
//     (0, BN_CLICKED, for a click; 1 from a keyboard accelerator, of which the game has none;
//     EN_CHANGE, EN_SETFOCUS and the like from the text boxes), and the dialog sends identifier 1
//     (IDOK) for Enter and 2 (IDCANCEL) for Escape.
//   - Qt and the page send code 0 for a button's click and no other command: typing, Enter and
//     Escape raise none.
//   - The headless window hands on whatever its caller gives it: tests, fuzzers, the simulation
//     tool.
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

// What RunUntilEnded returns when it returned with the window still open.
inline constexpr int kWindowStillOpen = -1;

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
  // top-left corner) and size, and the dialog font. Returns 0 when it cannot be created, and also
  // when this platform already has a main window.
  virtual WindowHandle CreateMainWindow(std::string_view caption, DialogRect client_area,
                                        std::string_view font_face, int font_points) = 0;

  // Creates a visible control with the dialog font, showing `text`. `accessible_name` is what a
  // screen reader calls it instead of its text; empty: its text names it. Returns 0 when it cannot
  // be created or there is no main window.
  virtual WindowHandle CreateControl(int id, ControlKind kind, DialogRect place,
                                     std::string_view text, std::string_view accessible_name) = 0;

  // Sets the text of control `id`, and the name a screen reader gives it as for CreateControl;
  // false when no such control exists.
  virtual bool SetControlText(int id, std::string_view text, std::string_view accessible_name) = 0;

  // The text of control `id` as it is now (the player may have typed it), or nothing when no such
  // control exists.
  virtual std::optional<std::string> ControlText(int id) = 0;

  // The screen's vertical pixels per logical inch.
  virtual int LogicalPixelsPerInch() = 0;

  // Creates a font that lives until the window is ended. Returns 0 on failure.
  virtual FontHandle CreateLogicalFont(const FontRequest& request) = 0;

  // Gives control `id` the font, without an immediate redraw. Does nothing for a control or font
  // that does not exist.
  virtual void SetControlFont(int id, FontHandle font) = 0;

  // Shows a message box with one OK button, no icon and no owner window. It does not block the
  // main window: its commands, turns included, are still handled while the box is open (see
  // "Events and re-entry" above). Every box asked for is shown: the shell keeps to the limit of
  // open boxes (shell/message_boxes.h).
  virtual void ShowMessageBox(std::string_view text, std::string_view caption) = 0;

  // How many of the boxes ShowMessageBox opened are open now. A box closed while a box opened
  // after it is still open counts until that one closes too where, as on Win32, the boxes' loops
  // nest.
  virtual int OpenMessageBoxes() = 0;

  // Holds the game's thread; what was drawn before the pause is on screen during it. (The page,
  // whose thread is the browser's, holds back what the game draws after it instead, and the
  // player's next event with it.)
  virtual void Pause(int milliseconds) = 0;

  // The control with the keyboard focus, or 0.
  virtual WindowHandle FocusedControl() = 0;
  // Gives the focus back to a control that FocusedControl returned.
  virtual void SetFocus(WindowHandle control) = 0;

  // Tells a screen reader, once and without interrupting it, what the player's press did
  // (shell/turn_news.h), and changes nothing the window shows. The page says it in a live region
  // once what the press drew is shown; Win32 makes it the description of the control with the
  // focus, which screen readers speak when the focused control's description changes; Qt shows a
  // notification of its own that has no size; the headless window records it where asked.
  virtual void Announce(std::string_view news) = 0;

  // Sends kInitialise, shows the main window and delivers its events to `handler` until the window
  // is ended; then destroys the window and its fonts and returns the result it was ended with.
  // Returns at once when there is no main window. Where the window system runs the loop itself
  // (the page, whose events come from the browser's loop once the program's start has returned),
  // it returns kWindowStillOpen once the window shows, and hands `handler` every later event until
  // the window is ended: `handler`, and what it refers to, must then live on.
  virtual int RunUntilEnded(const WindowEventHandler& handler) = 0;

  // Ends the main window with `result`; RunUntilEnded returns once the current event is handled,
  // and no later event reaches the handler.
  virtual void EndWindow(int result) = 0;

  // The running game, kept for the rest of the run (shell/kept_game.h), so that a run the
  // platform starts again on its own goes on with the same game: the page that a browser reloads,
  // discards and restores, or loads again after a crash keeps it for the life of its tab. Where a
  // run is the process (the desktop), nothing outlives it: these keep nothing and find nothing.
  // A copy is printable ASCII text; the shell keeps one after every event it handles and keeps
  // none once the window has ended.
  //
  // Whether this platform keeps a copy at all; where it does not, the shell makes none.
  virtual bool KeepsGames() = 0;
  // Replaces the kept copy with `copy`; an empty copy keeps none. Where the copy cannot be stored
  // (no room, storage refused), none is kept: never an older one.
  virtual void KeepGame(std::string_view copy) = 0;
  // The copy kept in this run, as KeepGame left it; empty when there is none.
  virtual std::string KeptGame() = 0;
};

}  // namespace townwright
