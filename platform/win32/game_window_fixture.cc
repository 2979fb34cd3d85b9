#include "platform/win32/game_window_fixture.h"

#include <algorithm>
#include <thread>

#include "platform/win32/extended_precision.h"
#include "shell/command_handler.h"
#include "shell/startup.h"

namespace townwright::win32::testing {
namespace {

constexpr UINT kRunWork = WM_APP + 1;
constexpr UINT kSettle = WM_APP + 2;
constexpr char kProbeClass[] = "TownwrightTestProbe";

}  // namespace

GameWindowFixture::GameWindowFixture() {
  WNDCLASSA probe_class = {};
  probe_class.lpfnWndProc = &ProbeProcedure;
  probe_class.hInstance = GetModuleHandleA(nullptr);
  probe_class.lpszClassName = kProbeClass;
  RegisterClassA(&probe_class);  // fails harmlessly when an earlier test registered it
  probe_ = CreateWindowExA(0, kProbeClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(probe_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

GameWindowFixture::~GameWindowFixture() { DestroyWindow(probe_); }

void GameWindowFixture::SetUp() {
  ASSERT_NE(probe_, nullptr);
  StartGame(*city_, window_, random_, platform_, kSeed);
  dialog_ = reinterpret_cast<HWND>(window_.MainDialogHandle);
  ASSERT_NE(dialog_, nullptr);
}

LRESULT CALLBACK GameWindowFixture::ProbeProcedure(HWND window, UINT message, WPARAM w_param,
                                                   LPARAM l_param) {
  if (message == kRunWork) {
    (*reinterpret_cast<const std::function<void()>*>(l_param))();
    return 0;
  }
  if (message == kSettle) {
    auto* fixture = reinterpret_cast<GameWindowFixture*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    fixture->settled_ = static_cast<long>(w_param);
    return 0;
  }
  return DefWindowProcA(window, message, w_param, l_param);
}

int GameWindowFixture::Play(const std::function<void()>& player) {
  std::thread player_thread([&] {
    if (WaitUntil([&] { return IsWindowVisible(dialog_) && ActiveWindow() == dialog_; })) {
      player();
    } else {
      ADD_FAILURE() << "the window was not shown and made active";
    }
    EndIfStillOpen();
  });
  const int result = platform_.RunUntilEnded([&](const WindowEvent& event) {
    events_.push_back(event);
    lowest_precision_bits_ = std::min(lowest_precision_bits_, X87PrecisionBits());
    MainDialogCallback(*city_, window_, random_, platform_, event);
    lowest_precision_bits_ = std::min(lowest_precision_bits_, X87PrecisionBits());
  });
  player_thread.join();
  return result;
}

void GameWindowFixture::EndIfStillOpen() {
  if (!HasFailure() && WaitUntil([&] { return !IsWindow(dialog_); })) return;
  if (!IsWindow(dialog_)) return;
  ADD_FAILURE() << "the player left the window open";
  // A quit request also ends a message box's loop, so this reaches the game's loop in any case.
  WaitUntil([&] {
    PostThreadMessageA(window_thread_, WM_QUIT, 0, 0);
    return !IsWindow(dialog_);
  });
}

void GameWindowFixture::Click(int id) const {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &answer)) {
    ADD_FAILURE() << "no answer to a click on " << id;
  }
}

void GameWindowFixture::Command(int id, int code) const {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(dialog_, WM_COMMAND, MAKEWPARAM(id, code),
                           reinterpret_cast<LPARAM>(Control(id)), SMTO_NORMAL, 30000, &answer)) {
    ADD_FAILURE() << "no answer to a command from " << id;
  }
}

void GameWindowFixture::Type(int id, const char* text) const {
  SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

std::string GameWindowFixture::Text(int id) const {
  const HWND control = Control(id);
  if (control == nullptr) return "";
  const auto length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const auto copied =
      SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

void GameWindowFixture::FocusOn(int id) const {
  SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

void GameWindowFixture::PostKey(int id, WPARAM key) const {
  PostMessageA(Control(id), WM_KEYDOWN, key, 1);
  PostMessageA(Control(id), WM_KEYUP, key, 0xC0000001);
}

HWND GameWindowFixture::FocusedWindow() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(window_thread_, &info) ? info.hwndFocus : nullptr;
}

HWND GameWindowFixture::ActiveWindow() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(window_thread_, &info) ? info.hwndActive : nullptr;
}

void GameWindowFixture::Settle() {
  const long ticket = ++settle_posts_;
  PostMessageA(probe_, kSettle, static_cast<WPARAM>(ticket), 0);
  if (!WaitUntil([&] { return settled_ >= ticket; })) ADD_FAILURE() << "the window hangs";
}

bool GameWindowFixture::WaitUntil(const std::function<bool()>& condition) {
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    Sleep(5);
  }
  return true;
}

void GameWindowFixture::OnWindowThread(const std::function<void()>& work) const {
  SendMessageA(probe_, kRunWork, 0, reinterpret_cast<LPARAM>(&work));
}

}  // namespace townwright::win32::testing
