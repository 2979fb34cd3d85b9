// What only the Win32 window does, in real dialogs: its controls' classes and styles, its fonts,
// its kind of message box, the commands a Windows dialog sends, the end of its message loop, and
// the x87 precision of its turns. The contract every window keeps is proven by
// platform/contract/platform_test.cc, with the harness of tests/win32_harness.h.

#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "platform/win32/extended_precision.h"
#include "platform/win32/tests/win32_harness.h"
#include "shell/control_table.h"
#include "view/control_ids.h"

namespace townwright::win32 {
namespace {

using namespace control_id;

// The system's dialog class: the main window's, and the message boxes'.
constexpr char kDialogClass[] = "#32770";

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

DWORD ExtendedStyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
}

// A rectangle's left, top, right and bottom.
using Corners = std::array<LONG, 4>;

Corners ToPixels(HWND dialog, DialogRect place) {
  RECT rect = {place.x, place.y, place.x + place.width, place.y + place.height};
  MapDialogRect(dialog, &rect);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// The control's rectangle in its dialog's client area.
Corners PlaceOf(HWND control) {
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right, rect.bottom};
}

LOGFONTA FontOf(HWND window) {
  LOGFONTA font = {};
  const auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  GetObjectA(handle, sizeof(font), &font);
  return font;
}

int ScreenPixelsPerInch() {
  const HDC screen = GetDC(nullptr);
  const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The mantissa bits of the calling thread's x87 precision control: 24, 53 or 64; 0 where there is
// no x87 control to read.
int X87PrecisionBits() {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  unsigned short control = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(control));
  switch (control & 0x0300) {  // bits 8 and 9
    case 0x0000:
      return 24;
    case 0x0200:
      return 53;
    case 0x0300:
      return 64;
    default:
      return 0;  // 0x0100 is reserved
  }
#else
  return 0;
#endif
}

// What a player meets in each kind of control: the system class that draws it, and the few
// style bits that decide how it looks and answers.
void ExpectControlAsListed(HWND dialog, HWND control, const ControlLayout& entry) {
  SCOPED_TRACE(::testing::Message() << "control " << entry.id);
  const DWORD style = StyleOf(control);
  EXPECT_EQ(GetDlgCtrlID(control), entry.id);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_DISABLED), WS_CHILD | WS_VISIBLE);
  EXPECT_EQ(PlaceOf(control), ToPixels(dialog, entry.place));
  // Tab stops at the buttons and boxes alone, past frames and labels.
  const bool takes_the_focus =
      entry.kind == ControlKind::kButton || entry.kind == ControlKind::kTextBox;
  EXPECT_EQ((style & WS_TABSTOP) != 0, takes_the_focus);
  switch (entry.kind) {
    case ControlKind::kFrame:
      EXPECT_STRCASEEQ(ClassName(control).c_str(), "Button");
      EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
      break;
    case ControlKind::kLabel:
      EXPECT_STRCASEEQ(ClassName(control).c_str(), "Static");
      EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
      break;
    case ControlKind::kButton:
      EXPECT_STRCASEEQ(ClassName(control).c_str(), "Button");
      // A plain push button: no default button, so Enter in a tax box presses nothing.
      EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON));
      break;
    case ControlKind::kTextBox:
      EXPECT_STRCASEEQ(ClassName(control).c_str(), "Edit");
      // One editable line that scrolls sideways for a long figure, with a sunken edge.
      EXPECT_EQ(style & (ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL),
                static_cast<DWORD>(ES_AUTOHSCROLL));
      EXPECT_EQ(ExtendedStyleOf(control) & WS_EX_CLIENTEDGE, static_cast<DWORD>(WS_EX_CLIENTEDGE));
      break;
  }
}

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.Start();
    dialog = harness.Dialog();
    ASSERT_NE(dialog, nullptr);
  }
  int Day() {
    return game.Read([this] { return static_cast<int>(game.city().Day); });
  }

  Win32Harness harness;
  testing::PlayedGame game{harness};
  HWND dialog = nullptr;
};

TEST_F(Win32WindowTest, TheDialogHasItsStyleFontAndPlaceAndNoOwner) {
  EXPECT_EQ(ClassName(dialog), kDialogClass);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog)) << "shown only when the game starts running";

  const DWORD style = StyleOf(dialog);
  const DWORD asked =
      WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_NOFAILCREATE;
  EXPECT_EQ(style & asked, asked);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u)
      << "no system menu, no sizing border, no minimise or maximise box";

  const LOGFONTA font = FontOf(dialog);
  EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(font.lfHeight, -MulDiv(8, ScreenPixelsPerInch(), 72)) << "8 points";

  // The template's place and size are the client area's; the frame and caption go around it.
  POINT corner = {0, 0};
  ClientToScreen(dialog, &corner);
  const Corners place = ToPixels(dialog, {133, 127, 0, 0});
  EXPECT_EQ(corner.x, place[0]);
  EXPECT_EQ(corner.y, place[1]);
  RECT client = {};
  GetClientRect(dialog, &client);
  EXPECT_EQ(Corners({0, 0, client.right, client.bottom}), ToPixels(dialog, {0, 0, 425, 324}));
}

TEST_F(Win32WindowTest, EveryControlHasItsClassStyleAndPlaceTheTaxBoxesTooOnceMade) {
  const auto listed = WindowControls();
  std::size_t index = 0;
  for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr && index < listed.size();
       control = GetWindow(control, GW_HWNDNEXT), ++index) {
    ExpectControlAsListed(dialog, control, listed[index]);
  }
  game.Play([&] {
    harness.Click(kFirstChoiceButton);
    for (const ControlLayout& entry : TaxBoxes()) {
      ASSERT_NE(harness.Control(entry.id), nullptr);
      ExpectControlAsListed(dialog, harness.Control(entry.id), entry);
    }
  });
}

TEST_F(Win32WindowTest, TheYearBoxAloneHasTheYearFontSizedFromTheScreen) {
  const auto dialog_font = SendMessageA(dialog, WM_GETFONT, 0, 0);
  for (const ControlLayout& entry : WindowControls()) {
    const auto font = SendMessageA(harness.Control(entry.id), WM_GETFONT, 0, 0);
    if (entry.id == kYearBox) {
      EXPECT_EQ(font, static_cast<LRESULT>(game.dialog().YearFont));
    } else {
      EXPECT_EQ(font, dialog_font) << "control " << entry.id;
    }
  }
  const LOGFONTA year_font = FontOf(harness.Control(kYearBox));
  EXPECT_EQ(year_font.lfHeight, -(ScreenPixelsPerInch() * 24) / 72);
  EXPECT_EQ(year_font.lfWidth, 0);
  EXPECT_EQ(year_font.lfWeight, 400);
  EXPECT_FALSE(year_font.lfItalic || year_font.lfUnderline || year_font.lfStrikeOut);
  EXPECT_EQ(year_font.lfCharSet, 0);
  EXPECT_STREQ(year_font.lfFaceName, "MS Sans Serif");
}

// The notification code is the high word of WM_COMMAND, which the dialog hands on as it comes.
TEST_F(Win32WindowTest, ACommandsNotificationCodeReachesTheGame) {
  game.Play([&] {
    harness.Command(kFirstChoiceButton + 8, BN_CLICKED);
    EXPECT_EQ(game.Read([&] { return static_cast<int>(game.city().SelectedChoice); }), 9);
    harness.Command(kFirstChoiceButton, 1);
    EXPECT_EQ(Day(), 3);
    harness.Command(kFirstChoiceButton, BN_DOUBLECLICKED);
    harness.Command(kFirstChoiceButton, EN_CHANGE);
    EXPECT_EQ(Day(), 3) << "other notifications play no turn";
  });
}

TEST_F(Win32WindowTest, EnterAndEscapeReachTheGameAsTheCommandsOneAndTwo) {
  game.Play([&] {
    harness.Click(kFirstChoiceButton);
    harness.Focus(kIncomeTaxBox);
    const std::size_t events_before = game.Read([&] { return game.events().size(); });
    harness.PostKey(harness.Control(kIncomeTaxBox), VK_RETURN);
    harness.PostKey(harness.Control(kIncomeTaxBox), VK_ESCAPE);
    const auto events = game.Read([&] { return game.events(); });
    std::vector<int> commands;
    for (std::size_t i = events_before; i < events.size(); ++i) {
      if (events[i].kind == WindowEvent::Kind::kCommand) commands.push_back(events[i].control_id);
    }
    EXPECT_NE(std::find(commands.begin(), commands.end(), IDOK), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), IDCANCEL), commands.end());
  });
}

TEST_F(Win32WindowTest, TheNotEnabledBoxIsAnOwnerlessMessageBoxWithOneOk) {
  game.Play([&] {
    harness.Click(kSave);
    ASSERT_EQ(harness.BoxWindows().size(), 1u);
    const HWND box = harness.BoxWindows().front();
    EXPECT_EQ(ClassName(box), kDialogClass);
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "a single OK button";
  });
}

TEST_F(Win32WindowTest, TheEndOfTheWindowReleasesTheYearFont) {
  const auto year_font = reinterpret_cast<HGDIOBJ>(game.dialog().YearFont);
  EXPECT_EQ(GetObjectType(year_font), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(game.Play([&] { harness.Click(kExit); }), 1);
  EXPECT_EQ(harness.win32().main_window(), 0u);
  EXPECT_EQ(GetObjectType(year_font), 0u) << "the year font was released";
}

TEST_F(Win32WindowTest, AQuitRequestEndsTheWindowEvenWithABoxOpen) {
  const DWORD window_thread = GetCurrentThreadId();
  const int result = game.Play([&] {
    harness.Click(kNew);
    ASSERT_EQ(harness.BoxWindows().size(), 1u);
    PostThreadMessageA(window_thread, WM_QUIT, 0, 0);
    EXPECT_TRUE(Win32Harness::WaitUntil([&] { return !IsWindow(dialog); }));
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(harness.BoxWindows().empty());
}

TEST_F(Win32WindowTest, TurnsAreComputedInExtendedPrecision) {
  if (X87PrecisionBits() == 0) GTEST_SKIP() << "long double is not the x87 type here";
  int lowest_bits = 64;
  // In the middle of each turn, on the game's thread.
  harness.set_on_pause([&] { lowest_bits = std::min(lowest_bits, X87PrecisionBits()); });
  game.Play([&] { harness.Click(kFirstChoiceButton); });
  EXPECT_EQ(harness.pauses(), 18);
  EXPECT_EQ(lowest_bits, 64);
}

TEST(ExtendedPrecisionTest, UseExtendedPrecisionLiftsA53BitThreadTo64Bits) {
  if (X87PrecisionBits() == 0) GTEST_SKIP() << "long double is not the x87 type here";
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  const unsigned short windows_default = 0x027F;  // all exceptions masked, 53-bit precision
  __asm__ __volatile__("fldcw %0" : : "m"(windows_default));
  ASSERT_EQ(X87PrecisionBits(), 53);
  volatile long double one = 1;
  EXPECT_EQ(one + 0x1.0p-63L, one) << "53 bits lose what the game's figures keep";

  UseExtendedPrecision();
  EXPECT_EQ(X87PrecisionBits(), 64);
  EXPECT_NE(one + 0x1.0p-63L, one);
#endif
}

}  // namespace
}  // namespace townwright::win32
