// townwright.exe played with the keyboard alone, as a player who cannot use a mouse plays it:
// twenty turns by keys the system takes as typed (SendInput), every choice and every tax box
// reached in creation order with Tab and Shift+Tab, the choices pressed with Space and Enter, a
// rate changed and applied, a "not enabled" box answered, and "Exit" pressed. After every key the
// focus is where the player expects it, drawn so that it is seen, and after every turn a screen
// reader hears the turn's news from the control with the focus.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/city_state.h"
#include "platform/win32/tests/automation.h"
#include "platform/win32/tests/screen_reader_ears.h"
#include "shell/control_table.h"
#include "shell/main_window.h"
#include "view/control_ids.h"

namespace townwright::win32 {
namespace {

using namespace control_id;
using namespace automation;

// Takes this thread's messages while it waits, so that the screen reader's events come in.
bool WaitTaking(const std::function<bool()>& condition) {
  const auto give_up = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > give_up) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(5);
  }
  return true;
}

void Key(WORD key, bool shift = false) {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD code, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, false);
  add(key, false);
  add(key, true);
  if (shift) add(VK_SHIFT, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Type(const std::string& digits) {
  for (const char digit : digits) Key(static_cast<WORD>(digit));
}

// The buttons and text boxes in creation order: the window's, then the tax boxes.
std::vector<int> TabStops() {
  std::vector<int> stops;
  for (const ControlLayout& layout : WindowControls()) {
    if (layout.kind == ControlKind::kButton || layout.kind == ControlKind::kTextBox) {
      stops.push_back(layout.id);
    }
  }
  for (const ControlLayout& layout : TaxBoxes()) stops.push_back(layout.id);
  return stops;
}

std::string Trimmed(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

class KeyboardOnlyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto started = Process::Start(ProgramBeside("townwright.exe"));
    ASSERT_TRUE(started.has_value()) << "townwright.exe did not start";
    process_.emplace(std::move(*started));
    window_ = process_->WaitForWindow(kWindowCaption);
    ASSERT_NE(window_, nullptr);
    thread_ = GetWindowThreadProcessId(window_, nullptr);
    ears_.emplace(GetProcessId(process_->handle()));
    SetForegroundWindow(window_);
    ASSERT_TRUE(WaitTaking([&] { return GetForegroundWindow() == window_; }));
  }

  HWND Focused() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
  }
  int FocusedId() const {
    const HWND focused = Focused();
    return focused != nullptr && GetParent(focused) == window_ ? GetDlgCtrlID(focused) : 0;
  }

  // The control as it is drawn on the screen, pixel by pixel.
  std::vector<DWORD> Drawn(int id) {
    RECT place = {};
    GetWindowRect(GetDlgItem(window_, id), &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const HDC screen = GetDC(nullptr);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ before = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
    SelectObject(copy, before);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    GetDIBits(copy, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);
    return pixels;
  }

  // Tab, or Shift+Tab where the target lies before, from stop to stop, each to the next stop in
  // creation order, drawn otherwise than before it had the focus.
  void TabTo(int target) {
    const auto here = std::find(stops_.begin(), stops_.end(), FocusedId());
    ASSERT_NE(here, stops_.end()) << "the focus is on no control: " << FocusedId();
    const auto there = std::find(stops_.begin(), stops_.end(), target);
    const bool back = there < here;
    for (auto next = here; next != there;) {
      next += back ? -1 : 1;
      const std::vector<DWORD> without = Drawn(*next);
      Key(VK_TAB, back);
      ASSERT_TRUE(WaitTaking([&] { return FocusedId() == *next; })) << "not to " << *next;
      ASSERT_TRUE(WaitTaking([&] { return Drawn(*next) != without; })) << *next << " unmarked";
    }
  }

  // A turn by `key` on the focused choice: the focus stays, and the turn's news is heard.
  void Turn(WORD key) {
    const int choice = FocusedId();
    const std::string day = Text(window_, kDayBox);
    const std::size_t heard = ears_->descriptions().size();
    Key(key);
    ASSERT_TRUE(WaitTaking([&] { return ears_->descriptions().size() > heard; })) << "no news";
    const std::string news = ears_->descriptions().back();
    EXPECT_NE(Text(window_, kDayBox), day);
    EXPECT_TRUE(news.starts_with("January " + Trimmed(Text(window_, kDayBox)) + ", 2008.")) << news;
    EXPECT_EQ(ears_->descriptions().size(), heard + 1) << "told once";
    EXPECT_EQ(FocusedId(), choice) << "the focus after the turn";
    ++turns_;
  }

  std::optional<Process> process_;
  std::optional<ScreenReaderEars> ears_;
  HWND window_ = nullptr;
  DWORD thread_ = 0;
  std::vector<int> stops_ = TabStops();
  int turns_ = 0;
};

TEST_F(KeyboardOnlyTest, TwentyTurnsATaxRateABoxAndExitByKeysAlone) {
  // Until the first turn the tax boxes do not exist; the window's first tab stop has the focus.
  stops_.resize(stops_.size() - TaxBoxes().size());
  ASSERT_TRUE(WaitTaking([&] { return FocusedId() == kFirstChoiceButton; }));
  ASSERT_NO_FATAL_FAILURE(TabTo(stops_.back()));
  ASSERT_NO_FATAL_FAILURE(TabTo(kFirstChoiceButton));
  for (int k = 1; k <= kChoiceButtons; ++k) {
    ASSERT_NO_FATAL_FAILURE(TabTo(ChoiceButton(k)));
    ASSERT_NO_FATAL_FAILURE(Turn(k % 2 == 1 ? VK_RETURN : VK_SPACE));
    if (k == 1) stops_ = TabStops();
  }
  // A box reached by Tab has its text selected: the digits replace it.
  ASSERT_NO_FATAL_FAILURE(TabTo(kIncomeTaxBox));
  for (const char* rate : {"25", "5", "10"}) {
    Type(rate);
    if (std::string(rate) != "10") Key(VK_TAB);
  }
  ASSERT_TRUE(WaitTaking([&] { return Text(window_, kPropertyTaxBox) == "10"; }));
  ASSERT_NO_FATAL_FAILURE(TabTo(kUpdateTaxRates));
  Key(VK_SPACE);
  ASSERT_NO_FATAL_FAILURE(TabTo(ChoiceButton(9)));
  ASSERT_NO_FATAL_FAILURE(Turn(VK_SPACE));
  EXPECT_EQ(Text(window_, kIncomeTaxBox), " 25");
  EXPECT_EQ(Text(window_, kSalesTaxBox), " 5");
  EXPECT_EQ(Text(window_, kPropertyTaxBox), " 10");
  // "Save" answers with a box, which Enter answers; the focus comes back to "Save".
  ASSERT_NO_FATAL_FAILURE(TabTo(kSave));
  Key(VK_SPACE);
  ASSERT_NE(process_->WaitForWindow("KRT"), nullptr);
  Key(VK_RETURN);
  ASSERT_TRUE(WaitTaking([&] { return FindVisibleWindow("KRT") == nullptr; }));
  ASSERT_TRUE(WaitTaking([&] { return FocusedId() == kSave; })) << "the focus after the box";
  while (turns_ < 20) {
    ASSERT_NO_FATAL_FAILURE(TabTo(ChoiceButton(1 + turns_ % kChoiceButtons)));
    ASSERT_NO_FATAL_FAILURE(Turn(VK_SPACE));
  }
  ASSERT_NO_FATAL_FAILURE(TabTo(kExit));
  Key(VK_SPACE);
  EXPECT_EQ(process_->WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace townwright::win32
