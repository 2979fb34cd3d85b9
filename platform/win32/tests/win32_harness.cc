#include "platform/win32/tests/win32_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>

namespace townwright::win32 {
namespace {

constexpr UINT kRunWork = WM_APP + 1;
constexpr UINT kSettle = WM_APP + 2;
constexpr UINT kEndWindow = WM_APP + 3;
constexpr char kProbeClass[] = "TownwrightTestProbe";
// The system's dialog class: the main window's, and the message boxes'.
constexpr char kDialogClass[] = "#32770";
constexpr int kMessageBoxText = 0xFFFF;  // the identifier of a message box's text

std::string WindowText(HWND window) {
  const auto length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
  const auto copied =
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

}  // namespace

Win32Harness::Win32Harness() {
  WNDCLASSA probe_class = {};
  probe_class.lpfnWndProc = &ProbeProcedure;
  probe_class.hInstance = GetModuleHandleA(nullptr);
  probe_class.lpszClassName = kProbeClass;
  RegisterClassA(&probe_class);  // fails harmlessly when an earlier harness registered it
  probe_ = CreateWindowExA(0, kProbeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(probe_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  EXPECT_NE(probe_, nullptr);
  ears_ = std::make_unique<automation::ScreenReaderEars>(GetCurrentProcessId());
}

Win32Harness::~Win32Harness() {
  ears_.reset();
  if (other_window_ != nullptr) DestroyWindow(other_window_);
  DestroyWindow(probe_);
}

LRESULT CALLBACK Win32Harness::ProbeProcedure(HWND window, UINT message, WPARAM w_param,
                                              LPARAM l_param) {
  if (message == kRunWork) {
    (*reinterpret_cast<const std::function<void()>*>(l_param))();
    return 0;
  }
  auto* harness = reinterpret_cast<Win32Harness*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == kSettle && harness != nullptr) {
    harness->settled_ = static_cast<long>(w_param);
    return 0;
  }
  if (message == kEndWindow && harness != nullptr) {
    harness->platform_.EndWindow(kWindowStillOpen);  // ignored when the window has ended already
    return 0;
  }
  return DefWindowProcA(window, message, w_param, l_param);
}

HWND Win32Harness::Dialog() const {
  if (GetCurrentThreadId() != game_thread_) return running_dialog_;
  return reinterpret_cast<HWND>(platform_.main_window());
}

int Win32Harness::Run(const WindowEventHandler& handler, const std::function<void()>& player) {
  running_dialog_ = Dialog();
  std::thread player_thread([&] {
    if (WaitUntil([&] {
          return IsWindowVisible(running_dialog_) && ActiveWindow() == running_dialog_;
        })) {
      player();
    } else {
      ADD_FAILURE() << "the window was not shown and made active";
    }
    // A window left open is ended, boxes and all. Posted: should the window end meanwhile, the
    // game's thread takes no more messages, and a message sent to it would wait for ever.
    if (IsWindow(running_dialog_)) {
      PostMessageA(probe_, kEndWindow, 0, 0);
      if (!WaitUntil([&] { return !IsWindow(running_dialog_); })) ADD_FAILURE() << "never ended";
    }
    // Boxes that outlived their window would hold the game's loop in theirs for ever.
    if (!WaitUntil([&] { return BoxWindows().empty(); })) {
      ADD_FAILURE() << "message boxes outlived the window";
      for (const HWND box : BoxWindows()) PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  const int result = platform_.RunUntilEnded(handler);
  player_thread.join();
  running_dialog_ = nullptr;
  return result;
}

void Win32Harness::Click(int id) {
  ClickLater(id);
  Settle();
}

void Win32Harness::ClickLater(int id) {
  const HWND control = Control(id);
  if (control == nullptr) {
    ADD_FAILURE() << "no control " << id << " to click";
    return;
  }
  // Posted: a click that opens a message box returns only when the box is closed.
  PostMessageA(control, BM_CLICK, 0, 0);
}

void Win32Harness::Command(int id, int code) {
  PostMessageA(Dialog(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Control(id)));
  Settle();
}

void Win32Harness::Type(int id, std::string_view text) {
  const std::string typed(text);
  SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
}

void Win32Harness::Focus(int id) {
  const HWND control = Control(id);
  // As the Tab key moves it.
  SendMessageA(Dialog(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  EXPECT_TRUE(WaitUntil([&] { return FocusedWindow() == control; })) << "no focus on " << id;
}

void Win32Harness::SwitchAway() {
  OnGameThread([&] {
    other_window_ =
        CreateWindowExA(0, kProbeClass, "Another window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                        200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other_window_);
  });
  EXPECT_TRUE(WaitUntil([&] { return ActiveWindow() == other_window_; }));
  Settle();
}

void Win32Harness::ComeBack() {
  OnGameThread([&] {
    DestroyWindow(other_window_);
    other_window_ = nullptr;
    SetForegroundWindow(Dialog());
  });
  EXPECT_TRUE(WaitUntil([&] { return ActiveWindow() == Dialog(); }));
  Settle();
}

std::vector<HWND> Win32Harness::BoxWindows() const {
  struct Search {
    HWND dialog;
    std::vector<HWND> boxes;
  } search{Dialog(), {}};
  // A thread's windows come in their order on screen, the newest box on top; a closed box whose
  // loop has not returned yet is hidden.
  EnumThreadWindows(
      game_thread_,
      [](HWND window, LPARAM found) {
        auto& search = *reinterpret_cast<Search*>(found);
        char name[16] = {};
        GetClassNameA(window, name, sizeof(name));
        if (window != search.dialog && std::string_view(name) == kDialogClass &&
            IsWindowVisible(window)) {
          search.boxes.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.boxes;
}

void Win32Harness::CloseNewestMessageBox() {
  const std::vector<HWND> boxes = BoxWindows();
  if (boxes.empty()) {
    ADD_FAILURE() << "no box to close";
    return;
  }
  PostMessageA(boxes.front(), WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(boxes.front()); }));
  Settle();
}

void Win32Harness::SystemClose() {
  constexpr LPARAM kAltDown = 1 << 29;
  PostMessageA(Dialog(), WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
  Settle();
}

void Win32Harness::PostKey(HWND window, WPARAM key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
  Settle();
}

void Win32Harness::Press(testing::Key key) {
  const HWND focused = FocusedWindow();
  if (focused == nullptr) {
    ADD_FAILURE() << "no control has the focus";
    return;
  }
  switch (key) {
    case testing::Key::kEnter:
      PostKey(focused, VK_RETURN);
      break;
    case testing::Key::kEscape:
      PostKey(focused, VK_ESCAPE);
      break;
    case testing::Key::kSpace:
      PostKey(focused, VK_SPACE);
      break;
    case testing::Key::kTab:
      PostKey(focused, VK_TAB);
      break;
  }
}

void Win32Harness::Settle() {
  const long ticket = ++settle_posts_;
  PostMessageA(probe_, kSettle, static_cast<WPARAM>(ticket), 0);
  // A window that ended meanwhile handles nothing more, and need not.
  if (!WaitUntil([&] { return settled_ >= ticket || !IsWindow(running_dialog_); })) {
    ADD_FAILURE() << "the window hangs";
  }
}

std::string Win32Harness::Caption() {
  const HWND dialog = Dialog();
  return dialog != nullptr ? WindowText(dialog) : "";
}

std::optional<std::string> Win32Harness::Text(int id) {
  const HWND control = Control(id);
  if (control == nullptr) return std::nullopt;
  return WindowText(control);
}

std::vector<int> Win32Harness::Controls() {
  std::vector<int> ids;
  const HWND dialog = Dialog();
  if (dialog == nullptr) return ids;
  // Children are kept in creation order.
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    ids.push_back(GetDlgCtrlID(child));
  }
  return ids;
}

int Win32Harness::FocusedControl() {
  const HWND focused = FocusedWindow();
  return focused != nullptr && IsChild(Dialog(), focused) ? GetDlgCtrlID(focused) : 0;
}

std::vector<testing::ShownBox> Win32Harness::MessageBoxes() {
  std::vector<testing::ShownBox> open;
  const std::vector<HWND> boxes = BoxWindows();
  for (auto box = boxes.rbegin(); box != boxes.rend(); ++box) {
    open.push_back({WindowText(*box), WindowText(GetDlgItem(*box, kMessageBoxText))});
  }
  return open;
}

std::vector<std::string> Win32Harness::Told() {
  std::vector<std::string> told;
  OnGameThread([&] { told = ears_->descriptions(); });
  return told;
}

void Win32Harness::OnGameThread(const std::function<void()>& work) {
  SendMessageA(probe_, kRunWork, 0, reinterpret_cast<LPARAM>(&work));
}

HWND Win32Harness::FocusedWindow() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(game_thread_, &info) ? info.hwndFocus : nullptr;
}

HWND Win32Harness::ActiveWindow() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(game_thread_, &info) ? info.hwndActive : nullptr;
}

bool Win32Harness::WaitUntil(const std::function<bool()>& condition) {
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    Sleep(5);
  }
  return true;
}

}  // namespace townwright::win32

namespace townwright::testing {

const HarnessMaker kHarnessUnderTest = {
    "Win32", true,
    [] { return std::unique_ptr<PlatformHarness>(std::make_unique<win32::Win32Harness>()); }};

}  // namespace townwright::testing
