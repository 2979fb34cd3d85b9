// townwright.exe itself, started and driven from outside through window messages.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "platform/win32/tests/automation.h"
#include "shell/main_window.h"
#include "view/control_ids.h"

namespace townwright::win32 {
namespace {

using namespace control_id;
using namespace automation;

// townwright.exe beside the tests, or the copy that TOWNWRIGHT_EXE names (the installer's test
// plays the installed one).
std::string ProgramUnderTest() {
  const char* installed = std::getenv("TOWNWRIGHT_EXE");
  return installed != nullptr && *installed != '\0' ? installed : ProgramBeside("townwright.exe");
}

std::string Trimmed(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

// Wine's own tools (its X display, its virtual desktops) exist only under Wine.
bool UnderWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The process that owns `window`, opened to wait for its end and read its exit status.
HANDLE OwnerOf(HWND window) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window, &process_id);
  return OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process_id);
}

// The exit status of `process` once it has ended; the handle is closed.
std::optional<DWORD> ExitStatus(HANDLE process) {
  if (process == nullptr) return std::nullopt;
  DWORD status = 0;
  const bool ended =
      WaitForSingleObject(process, 60000) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &status);
  CloseHandle(process);
  return ended ? std::optional<DWORD>(status) : std::nullopt;
}

class TownwrightExeTest : public ::testing::Test {
 protected:
  // Starts the game and waits for its window; `arguments` go on its command line.
  void Start(const std::string& arguments = "") {
    auto started = Process::Start(ProgramUnderTest(), arguments);
    ASSERT_TRUE(started.has_value()) << "townwright.exe did not start";
    process_.emplace(std::move(*started));
    window_ = process_->WaitForWindow(kWindowCaption);
    ASSERT_NE(window_, nullptr) << "no window captioned \"" << kWindowCaption << "\"";
  }

  std::optional<Process> process_;
  HWND window_ = nullptr;
};

TEST_F(TownwrightExeTest, PlaysTurnsTakesTaxRatesAndExitsWithStatusZero) {
  Start();
  EXPECT_EQ(Text(window_, kMonthBox), "January");
  EXPECT_EQ(Text(window_, kYearBox), "2007");
  EXPECT_EQ(Text(window_, kDayBox), "31");
  EXPECT_EQ(Text(window_, kFirstChoiceButton), "do nothing (except collect taxes)");
  EXPECT_EQ(Text(window_, kTreasuryBox), "");
  EXPECT_EQ(GetDlgItem(window_, kIncomeTaxBox), nullptr);

  ASSERT_TRUE(Click(window_, kFirstChoiceButton));
  EXPECT_EQ(Trimmed(Text(window_, kDayBox)), "2");
  EXPECT_EQ(Text(window_, kMonthBox), "January");
  EXPECT_EQ(Trimmed(Text(window_, kYearBox)), "2008");
  EXPECT_EQ(Text(window_, kTreasuryBox).substr(0, 1), "$") << "the treasury";
  EXPECT_NE(GetDlgItem(window_, kIncomeTaxBox), nullptr);

  ASSERT_TRUE(SetText(window_, kIncomeTaxBox, "25"));
  ASSERT_TRUE(SetText(window_, kSalesTaxBox, "12.5"));
  ASSERT_TRUE(SetText(window_, kPropertyTaxBox, "abc"));
  ASSERT_TRUE(Click(window_, kUpdateTaxRates));
  ASSERT_TRUE(Click(window_, kFirstChoiceButton + 1));
  EXPECT_EQ(Trimmed(Text(window_, kDayBox)), "3");
  EXPECT_EQ(Trimmed(Text(window_, kIncomeTaxBox)), "25");
  EXPECT_EQ(Trimmed(Text(window_, kSalesTaxBox)), "12.5");
  EXPECT_EQ(Trimmed(Text(window_, kPropertyTaxBox)), "0");

  Click(window_, kExit);
  const auto status = process_->WaitForExit();
  ASSERT_TRUE(status.has_value()) << "still running after Exit";
  EXPECT_EQ(*status, 0u);
}

TEST_F(TownwrightExeTest, ASystemCloseEndsItWithStatusZeroWhateverItsCommandLine) {
  Start("/load city.sav --fast \"quoted words\"");
  ASSERT_TRUE(Click(window_, kFirstChoiceButton));
  EXPECT_EQ(Trimmed(Text(window_, kDayBox)), "2");
  PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  const auto status = process_->WaitForExit();
  ASSERT_TRUE(status.has_value()) << "still running after the system close";
  EXPECT_EQ(*status, 0u);
}

TEST_F(TownwrightExeTest, ExitEndsTheProgramWithStatusZeroEvenWithANotEnabledBoxOpen) {
  Start();
  PostMessageA(GetDlgItem(window_, kSave), BM_CLICK, 0, 0);
  ASSERT_NE(process_->WaitForWindow("KRT"), nullptr) << "no \"not enabled\" box";
  PostMessageA(GetDlgItem(window_, kExit), BM_CLICK, 0, 0);
  const auto status = process_->WaitForExit(std::chrono::seconds(20));
  ASSERT_TRUE(status.has_value()) << "still running, its window gone, with the box open";
  EXPECT_EQ(*status, 0u);
}

struct SmallScreen {
  const char* size;
  int width;
  int height;
  bool fits;
};

// Wine's virtual desktops are screens of any size, inside the display the tests run on. For the
// rest of the Wine session its monitor is the last of them, so this test comes last.
TEST_F(TownwrightExeTest, OnASmallScreenTheWholeWindowStaysOnIt) {
  if (!UnderWine()) GTEST_SKIP() << "virtual desktops of a chosen size are Wine's";
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  for (const SmallScreen screen :
       {SmallScreen{"800x600", 800, 600, true}, SmallScreen{"640x480", 640, 480, false}}) {
    SCOPED_TRACE(screen.size);
    const std::string name = std::string("TownwrightSmall") + screen.size;
    auto explorer = Process::Start(
        std::string(windows) + "\\explorer.exe",
        "/desktop=" + name + "," + screen.size + " \"" + ProgramBeside("townwright.exe") + "\"");
    ASSERT_TRUE(explorer.has_value());
    HDESK desktop = nullptr;
    HWND window = nullptr;
    const auto give_up = std::chrono::steady_clock::now() + kPatience;
    while (window == nullptr && std::chrono::steady_clock::now() < give_up) {
      if (desktop == nullptr) desktop = OpenDesktopA(name.c_str(), 0, FALSE, DESKTOP_ENUMERATE);
      if (desktop != nullptr) window = FindVisibleWindow(kWindowCaption, 0, desktop);
      Sleep(20);
    }
    ASSERT_NE(window, nullptr) << "no game window on the small screen";
    RECT frame = {};
    GetWindowRect(window, &frame);
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    if (screen.fits) {
      EXPECT_LE(frame.right, screen.width);
      EXPECT_LE(frame.bottom, screen.height);
    } else {
      EXPECT_TRUE(frame.right > screen.width || frame.bottom > screen.height);
      EXPECT_EQ(frame.left, 0) << "the caption at the top-left corner";
      EXPECT_EQ(frame.top, 0);
    }
    EXPECT_TRUE(Click(window, kFirstChoiceButton));
    EXPECT_EQ(Trimmed(Text(window, kDayBox)), "2") << "the window plays";
    const HANDLE game = OwnerOf(window);
    PostMessageA(GetDlgItem(window, kExit), BM_CLICK, 0, 0);
    EXPECT_EQ(ExitStatus(game), std::optional<DWORD>(0));
    CloseDesktop(desktop);
  }
}

}  // namespace
}  // namespace townwright::win32
