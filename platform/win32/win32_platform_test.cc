#include "platform/win32/win32_platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "platform/win32/extended_precision.h"
#include "platform/win32/game_window_fixture.h"
#include "shell/control_table.h"
#include "shell/main_window.h"
#include "shell/message_boxes.h"
#include "view/control_ids.h"

namespace townwright::win32::testing {
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

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
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

// The text a control starts with, from the rule rather than from the code that shows it: the
// table's own text, or for a choice button the choice drawn for it. The indicator boxes start
// empty: the first figures come with the first turn.
std::string StartingText(const CityState& city, const ControlLayout& entry) {
  if (entry.source == InitialText::kChoiceText)
    return city.ChoiceText[static_cast<std::size_t>(entry.element)];
  if (entry.source == InitialText::kIndicatorText) return "";
  return std::string(entry.text);
}

using WindowLayoutTest = GameWindowFixture;

TEST_F(WindowLayoutTest, TheDialogHasItsCaptionStyleFontAndPlaceAndNoOwner) {
  EXPECT_EQ(WindowText(dialog_), kWindowCaption);
  EXPECT_EQ(ClassName(dialog_), kDialogClass);
  EXPECT_EQ(GetWindow(dialog_, GW_OWNER), nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog_)) << "shown only when the game starts running";

  const DWORD style = StyleOf(dialog_);
  const DWORD asked =
      WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | DS_NOFAILCREATE;
  EXPECT_EQ(style & asked, asked);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u)
      << "no system menu, no sizing border, no minimise or maximise box";

  const LOGFONTA font = FontOf(dialog_);
  EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
  EXPECT_EQ(font.lfHeight, -MulDiv(8, ScreenPixelsPerInch(), 72)) << "8 points";

  // The template's place and size are the client area's; the frame and caption go around it.
  POINT corner = {0, 0};
  ClientToScreen(dialog_, &corner);
  const Corners place = ToPixels(dialog_, {133, 127, 0, 0});
  EXPECT_EQ(corner.x, place[0]);
  EXPECT_EQ(corner.y, place[1]);
  RECT client = {};
  GetClientRect(dialog_, &client);
  EXPECT_EQ(Corners({0, 0, client.right, client.bottom}), ToPixels(dialog_, {0, 0, 425, 324}));
}

TEST_F(WindowLayoutTest, EveryControlHasItsClassStyleIdentifierTextAndPlaceInCreationOrder) {
  const auto listed = WindowControls();
  std::size_t index = 0;
  // Children are kept in creation order, which is also the order Tab follows.
  for (HWND control = GetWindow(dialog_, GW_CHILD); control != nullptr;
       control = GetWindow(control, GW_HWNDNEXT), ++index) {
    ASSERT_LT(index, listed.size()) << "a control too many: " << GetDlgCtrlID(control);
    ExpectControlAsListed(dialog_, control, listed[index]);
    EXPECT_EQ(WindowText(control), StartingText(*city_, listed[index]))
        << "control " << listed[index].id;
  }
  EXPECT_EQ(index, listed.size());
  EXPECT_EQ(Text(kDayBox), "31");
  EXPECT_EQ(Text(kMonthBox), "January");
  EXPECT_EQ(Text(kYearBox), "2007");
  EXPECT_FALSE(Text(kFirstChoiceButton).empty());
}

TEST_F(WindowLayoutTest, TheYearBoxAloneHasTheYearFontSizedFromTheScreen) {
  const auto dialog_font = SendMessageA(dialog_, WM_GETFONT, 0, 0);
  for (const ControlLayout& entry : WindowControls()) {
    const auto font = SendMessageA(Control(entry.id), WM_GETFONT, 0, 0);
    if (entry.id == kYearBox) {
      EXPECT_EQ(font, static_cast<LRESULT>(window_.YearFont));
    } else {
      EXPECT_EQ(font, dialog_font) << "control " << entry.id;
    }
  }
  const LOGFONTA year_font = FontOf(Control(kYearBox));
  EXPECT_EQ(year_font.lfHeight, -(ScreenPixelsPerInch() * 24) / 72);
  EXPECT_EQ(year_font.lfWidth, 0);
  EXPECT_EQ(year_font.lfWeight, 400);
  EXPECT_FALSE(year_font.lfItalic || year_font.lfUnderline || year_font.lfStrikeOut);
  EXPECT_EQ(year_font.lfCharSet, 0);
  EXPECT_STREQ(year_font.lfFaceName, "MS Sans Serif");
}

TEST_F(WindowLayoutTest, TabVisitsTheButtonsAndTextBoxesInCreationOrder) {
  std::vector<int> expected;
  for (const ControlLayout& entry : WindowControls()) {
    if (entry.kind == ControlKind::kButton || entry.kind == ControlKind::kTextBox) {
      expected.push_back(entry.id);
    }
  }
  std::vector<int> visited;
  HWND control = GetNextDlgTabItem(dialog_, nullptr, FALSE);
  while (control != nullptr && visited.size() <= expected.size()) {
    visited.push_back(GetDlgCtrlID(control));
    control = GetNextDlgTabItem(dialog_, control, FALSE);
    if (control != nullptr && GetDlgCtrlID(control) == visited.front()) break;  // round again
  }
  EXPECT_EQ(visited, expected);
}

using PlayerTest = GameWindowFixture;

TEST_F(PlayerTest, AChoiceClickPlaysExactlyOneTurn) {
  Play([&] {
    EXPECT_EQ(Read([&] { return pauses_; }), 9) << "the first choices' pauses";
    Click(kFirstChoiceButton + 2);
    EXPECT_EQ(Read([&] { return city_->SelectedChoice; }), 3);
    EXPECT_EQ(Read([&] { return city_->Day; }), 2);
    EXPECT_EQ(Read([&] { return pauses_; }), 18) << "one turn's nine pauses";
    EXPECT_EQ(Text(kDayBox), Read([&] { return city_->DayText; }));
    for (int k = 1; k <= kChoiceButtons; ++k) {
      EXPECT_EQ(Text(kFirstChoiceButton + k - 1),
                Read([&] { return city_->ChoiceText[static_cast<std::size_t>(k)]; }));
    }
    EXPECT_FALSE(Text(kTreasuryBox).empty());

    Command(kFirstChoiceButton + 8, BN_CLICKED);
    EXPECT_EQ(Read([&] { return city_->SelectedChoice; }), 9);
    Command(kFirstChoiceButton, 1);
    EXPECT_EQ(Read([&] { return city_->Day; }), 4);
    Command(kFirstChoiceButton, BN_DOUBLECLICKED);
    Command(kFirstChoiceButton, EN_CHANGE);
    EXPECT_EQ(Read([&] { return city_->Day; }), 4) << "other notifications play no turn";

    Click(kExit);
  });
}

TEST_F(PlayerTest, TheTaxBoxesAppearAfterTheFirstTurnAndUpdateTaxRatesReadsThem) {
  Play([&] {
    for (const ControlLayout& entry : TaxBoxes()) EXPECT_EQ(Control(entry.id), nullptr);
    Click(kFirstChoiceButton);
    for (const ControlLayout& entry : TaxBoxes()) {
      ASSERT_NE(Control(entry.id), nullptr);
      ExpectControlAsListed(dialog_, Control(entry.id), entry);
    }
    // Typing alone changes nothing.
    const double income_before = Read([&] { return city_->IncomeTaxRate; });
    Type(kIncomeTaxBox, "25");
    Type(kSalesTaxBox, "5");
    Type(kPropertyTaxBox, "10");
    EXPECT_EQ(Read([&] { return city_->IncomeTaxRate; }), income_before);

    Click(kUpdateTaxRates);
    EXPECT_DOUBLE_EQ(Read([&] { return city_->IncomeTaxRate; }), 0.25);
    EXPECT_DOUBLE_EQ(Read([&] { return city_->SalesTaxRate; }), 0.05);
    EXPECT_DOUBLE_EQ(Read([&] { return city_->PropertyTaxRate; }), 0.10);

    Click(kFirstChoiceButton);
    EXPECT_EQ(Text(kIncomeTaxBox), " 25") << "the rate shown again as a percentage";
    Click(kExit);
  });
}

TEST_F(PlayerTest, UpdateTaxRatesBeforeTheFirstTurnReadsTheMissingBoxesAsZero) {
  Play([&] {
    Click(kUpdateTaxRates);
    EXPECT_EQ(Read([&] { return city_->IncomeTaxRate; }), 0);
    EXPECT_EQ(Read([&] { return city_->SalesTaxRate; }), 0);
    EXPECT_EQ(Read([&] { return city_->PropertyTaxRate; }), 0);
    Click(kExit);
  });
}

TEST_F(PlayerTest, SaveLoadAndNewOpenAnOwnerlessBoxWhileTheWindowStillTakesCommands) {
  Play([&] {
    int day = Read([&] { return city_->Day; });
    for (const int id : {kSave, kLoad, kNew}) {
      SCOPED_TRACE(::testing::Message() << "button " << id);
      // Posted: the box holds the window's thread until it is closed.
      PostMessageA(Control(id), BM_CLICK, 0, 0);
      HWND box = nullptr;
      ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowA(kDialogClass, "KRT")) != nullptr; }));
      EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
      EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), "That button is not enabled");
      EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
      EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "a single OK button";

      Command(kFirstChoiceButton, BN_CLICKED);
      EXPECT_EQ(Read([&] { return city_->Day; }), ++day) << "a turn while the box is open";

      PostMessageA(box, WM_COMMAND, IDOK, 0);
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    }
    EXPECT_EQ(FindWindowA(kDialogClass, "KRT"), nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    Click(kExit);
  });
}

// The "KRT" boxes on screen; a closed box whose loop has not returned yet is hidden.
std::vector<HWND> VisibleBoxes() {
  std::vector<HWND> boxes;
  for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, kDialogClass, "KRT"));) {
    if (IsWindowVisible(box)) boxes.push_back(box);
  }
  return boxes;
}

// Every "KRT" box made, shown yet or not: a box is made when its press is handled, but shown only
// once its own loop finds no message waiting, so not always by the time every press has been.
std::vector<HWND> MadeBoxes() {
  std::vector<HWND> boxes;
  for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, kDialogClass, "KRT"));) {
    boxes.push_back(box);
  }
  return boxes;
}

TEST_F(PlayerTest, PressesWhileBoxesAreOpenStopOpeningBoxesAtTheLimit) {
  Play([&] {
    for (int press = 0; press < kMostOpenMessageBoxes + 4; ++press) {
      PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kSave, BN_CLICKED), 0);
    }
    Settle();
    EXPECT_EQ(MadeBoxes().size(), static_cast<std::size_t>(kMostOpenMessageBoxes));
    Command(kFirstChoiceButton, BN_CLICKED);
    EXPECT_EQ(Read([&] { return city_->Day; }), 2) << "the window still plays";

    for (const HWND box : MadeBoxes()) PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowA(kDialogClass, "KRT") == nullptr; }));
    Click(kExit);
  });
}

TEST_F(PlayerTest, ExitWithBoxesOpenEndsTheWindowAndTheBoxes) {
  const int result = Play([&] {
    for (const int id : {kSave, kLoad, kNew}) {
      PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    ASSERT_TRUE(WaitUntil([&] { return VisibleBoxes().size() == 3; }));
    // Pressed while the boxes wait: the game's loop runs inside the newest box's loop.
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kExit, BN_CLICKED), 0);
    if (!WaitUntil([&] { return FindWindowA(kDialogClass, "KRT") == nullptr; })) {
      ADD_FAILURE() << "the boxes outlived the window";
      for (const HWND box : VisibleBoxes()) PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
  });
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(IsWindow(dialog_));
}

TEST_F(PlayerTest, EnterOnAFocusedButtonPressesItAndSoDoesSpace) {
  Play([&] {
    for (const auto& [index, key] : {std::pair{2, VK_RETURN}, std::pair{4, VK_SPACE}}) {
      FocusOn(kFirstChoiceButton + index);
      ASSERT_TRUE(
          WaitUntil([&] { return FocusedWindow() == Control(kFirstChoiceButton + index); }));
      PostKey(kFirstChoiceButton + index, key);
      Settle();
      EXPECT_EQ(Read([&] { return city_->SelectedChoice; }), index + 1);
    }
    EXPECT_EQ(Read([&] { return city_->Day; }), 3);
    Click(kExit);
  });
}

TEST_F(PlayerTest, EnterAndEscapeInATaxBoxDoNothing) {
  Play([&] {
    Click(kFirstChoiceButton);
    FocusOn(kIncomeTaxBox);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == Control(kIncomeTaxBox); }));
    const std::size_t events_before = Read([&] { return events_.size(); });
    const CityState before = Read([&] { return *city_; });
    const std::string box_text = Text(kIncomeTaxBox);

    PostKey(kIncomeTaxBox, VK_RETURN);
    PostKey(kIncomeTaxBox, VK_ESCAPE);
    Settle();

    // The keys reached the window as the commands IDOK and IDCANCEL, and were ignored.
    const auto events = Read([&] { return events_; });
    bool ok_seen = false;
    bool cancel_seen = false;
    for (std::size_t i = events_before; i < events.size(); ++i) {
      if (events[i].kind != WindowEvent::Kind::kCommand) continue;
      ok_seen |= events[i].control_id == IDOK;
      cancel_seen |= events[i].control_id == IDCANCEL;
    }
    EXPECT_TRUE(ok_seen);
    EXPECT_TRUE(cancel_seen);
    EXPECT_TRUE(IsWindowVisible(dialog_));
    EXPECT_EQ(FindWindowA(kDialogClass, "KRT"), nullptr);
    EXPECT_EQ(FocusedWindow(), Control(kIncomeTaxBox));
    EXPECT_EQ(Text(kIncomeTaxBox), box_text);
    const CityState after = Read([&] { return *city_; });
    EXPECT_EQ(after.Day, before.Day);
    EXPECT_EQ(after.IncomeTaxRate, before.IncomeTaxRate);
    EXPECT_EQ(after.Funds, before.Funds);
    Click(kExit);
  });
}

TEST_F(PlayerTest, TheFocusComesBackAfterTheWindowWasDeactivated) {
  Play([&] {
    Click(kFirstChoiceButton);
    const HWND sales_box = Control(kSalesTaxBox);
    FocusOn(kSalesTaxBox);
    ASSERT_TRUE(WaitUntil([&] { return FocusedWindow() == sales_box; }));

    // The message box takes the activation away from the window. "Save" is commanded without a
    // click, which would move the focus to the button first.
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kSave, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(kSave)));
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      box = FindWindowA(kDialogClass, "KRT");
      return box != nullptr && ActiveWindow() == box;
    }));
    EXPECT_EQ(Read([&] { return window_.SavedFocus; }), reinterpret_cast<WindowHandle>(sales_box));

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    SetForegroundWindow(dialog_);  // the player clicks on the window again
    EXPECT_TRUE(WaitUntil([&] {
      return ActiveWindow() == dialog_ && FocusedWindow() == sales_box;
    })) << "focus on control "
        << GetDlgCtrlID(FocusedWindow());
    EXPECT_EQ(Read([&] { return window_.SavedFocus; }), 0u);
    Click(kExit);
  });
}

TEST_F(PlayerTest, ExitEndsTheWindowWithOneAndReleasesItsFonts) {
  const auto year_font = reinterpret_cast<HGDIOBJ>(window_.YearFont);
  EXPECT_EQ(GetObjectType(year_font), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(Play([&] { Click(kExit); }), 1);
  EXPECT_FALSE(IsWindow(dialog_));
  EXPECT_EQ(platform_.main_window(), 0u);
  EXPECT_EQ(GetObjectType(year_font), 0u) << "the year font was released";
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(events_.front().kind, WindowEvent::Kind::kInitialise);
  EXPECT_EQ(events_.back().control_id, kExit) << "nothing is delivered after the end";
}

TEST_F(PlayerTest, AltF4EndsTheWindowWithZero) {
  const int result = Play([&] {
    constexpr LPARAM kAltDown = 1 << 29;
    PostMessageA(dialog_, WM_SYSKEYDOWN, VK_F4, kAltDown | 1);
  });
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(IsWindow(dialog_));
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(events_.back().kind, WindowEvent::Kind::kSystemClose);
}

TEST_F(PlayerTest, AQuitRequestEndsTheWindowEvenWithABoxOpen) {
  const DWORD window_thread = GetCurrentThreadId();
  const int result = Play([&] {
    PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(kNew, BN_CLICKED), 0);
    ASSERT_TRUE(WaitUntil([&] { return FindWindowA(kDialogClass, "KRT") != nullptr; }));
    PostThreadMessageA(window_thread, WM_QUIT, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog_); }));
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(FindWindowA(kDialogClass, "KRT"), nullptr);
}

TEST_F(PlayerTest, AnIdleWindowWaitsWithoutSpinning) {
  Play([&] {
    const auto processor_time = [] {
      FILETIME created, ended, kernel, user;
      GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
      const auto ticks = [](FILETIME t) {
        return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
      };
      return ticks(kernel) + ticks(user);  // in 100 ns
    };
    const std::uint64_t before = processor_time();
    Sleep(1000);
    const std::uint64_t used = processor_time() - before;
    // A loop that polls would use the whole second.
    EXPECT_LT(used, 2'500'000u) << used / 10'000 << " ms of processor time in one idle second";
    Click(kExit);
  });
}

TEST_F(PlayerTest, TurnsAreComputedInExtendedPrecision) {
  if (X87PrecisionBits() == 0) GTEST_SKIP() << "long double is not the x87 type here";
  Play([&] {
    Click(kFirstChoiceButton);
    Click(kExit);
  });
  EXPECT_EQ(lowest_precision_bits_, 64);
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

TEST(Win32PlatformTest, WithoutAWindowNothingIsMadeAndRunReturnsAtOnce) {
  Win32Platform platform;
  int events = 0;
  EXPECT_EQ(platform.RunUntilEnded([&](const WindowEvent&) { ++events; }), 0);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(
      platform.CreateControl(kDetailsFrame, ControlKind::kFrame, {5, 10, 325, 105}, "Details", ""),
      0u);
  EXPECT_FALSE(platform.SetControlText(kDetailsFrame, "x", ""));
  EXPECT_EQ(platform.ControlText(kDetailsFrame), std::nullopt);
}

}  // namespace
}  // namespace townwright::win32::testing
