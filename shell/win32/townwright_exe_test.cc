// townwright.exe itself, started and driven from outside through window messages.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "shell/main_window.h"
#include "shell/win32/tools/automation.h"
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

}  // namespace
}  // namespace townwright::win32
