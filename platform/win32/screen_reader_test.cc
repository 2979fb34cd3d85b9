// townwright.exe heard as a screen reader hears it: from another process, each control's accessible
// object for its client area (AccessibleObjectFromWindow with OBJID_CLIENT), its name, role and
// state, against the name the shell gives the control and the role of its kind.

#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <iostream>
#include <set>
#include <string>

#include "data/city_state.h"
#include "platform/win32/tests/automation.h"
#include "shell/control_table.h"
#include "shell/main_window.h"
#include "view/control_ids.h"

namespace townwright::win32 {
namespace {

using namespace control_id;
using namespace automation;

// What a screen reader would say of a control.
struct Heard {
  std::string name;
  std::string value;
  long role = 0;
  long state = 0;
};

std::string Narrow(BSTR text) {
  std::string narrow;
  for (const wchar_t* c = text; c != nullptr && *c != 0; ++c) narrow += static_cast<char>(*c);
  return narrow;
}

// The control's object as a screen reader asks for it, or a failed assertion.
void Hear(HWND control, Heard& heard) {
  IAccessible* object = nullptr;
  // __uuidof: mingw-w64's IID_IAccessible from liboleacc is an import thunk, not the GUID.
  ASSERT_EQ(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
            S_OK);
  ASSERT_NE(object, nullptr);
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  const HRESULT named = object->get_accName(self, &name);
  BSTR value = nullptr;
  object->get_accValue(self, &value);
  heard.value = Narrow(value);
  SysFreeString(value);
  VARIANT role = {};
  VARIANT state = {};
  const HRESULT roled = object->get_accRole(self, &role);
  const HRESULT stated = object->get_accState(self, &state);
  object->Release();
  heard.name = Narrow(name);
  SysFreeString(name);
  EXPECT_TRUE(SUCCEEDED(named)) << std::hex << named;
  ASSERT_EQ(roled, S_OK);
  ASSERT_EQ(role.vt, VT_I4);
  heard.role = role.lVal;
  ASSERT_EQ(stated, S_OK);
  ASSERT_EQ(state.vt, VT_I4);
  heard.state = state.lVal;
}

long RoleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kFrame:
      return ROLE_SYSTEM_GROUPING;
    case ControlKind::kLabel:
      return ROLE_SYSTEM_STATICTEXT;
    case ControlKind::kButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case ControlKind::kTextBox:
      return ROLE_SYSTEM_TEXT;
  }
  return 0;
}

class ScreenReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    auto started = Process::Start(ProgramBeside("townwright.exe"));
    ASSERT_TRUE(started.has_value()) << "townwright.exe did not start";
    process_.emplace(std::move(*started));
    window_ = process_->WaitForWindow(kWindowCaption);
    ASSERT_NE(window_, nullptr) << "no window captioned \"" << kWindowCaption << "\"";
  }

  void TearDown() override {
    process_.reset();
    CoUninitialize();
  }

  // Control `layout` is heard by the shell's name for what it shows, or by its text where that
  // names it, and by its kind's role; a text box is editable. Returns the name heard.
  std::string Check(const ControlLayout& layout, bool print) {
    SCOPED_TRACE(layout.id);
    const std::string text = Text(window_, layout.id);
    const std::string given(ScreenReaderName(layout, text));
    Heard heard;
    Hear(GetDlgItem(window_, layout.id), heard);
    if (print) {
      std::cout << layout.id << " \"" << text << "\": heard \"" << heard.name << "\", value \""
                << heard.value << "\", role " << heard.role << "\n";
    }
    EXPECT_EQ(heard.name, given.empty() ? text : given) << "text \"" << text << "\"";
    EXPECT_EQ(heard.role, RoleOf(layout.kind));
    if (layout.kind == ControlKind::kTextBox) {
      EXPECT_EQ(heard.state & STATE_SYSTEM_READONLY, 0) << "a box the player can type in";
    }
    return heard.name;
  }

  // Every control there is now, as Check says, and no two text boxes sound the same.
  void CheckEveryControl(bool print) {
    std::set<std::string> box_names;
    int boxes = 0;
    for (const auto& controls : {WindowControls(), TaxBoxes()}) {
      for (const ControlLayout& layout : controls) {
        if (GetDlgItem(window_, layout.id) == nullptr) continue;
        const std::string name = Check(layout, print);
        if (layout.kind != ControlKind::kTextBox) continue;
        box_names.insert(name);
        ++boxes;
      }
    }
    EXPECT_EQ(box_names.size(), static_cast<std::size_t>(boxes)) << "two boxes sound the same";
  }

  std::string HeardName(int id) {
    Heard heard;
    Hear(GetDlgItem(window_, id), heard);
    return heard.name;
  }

  std::optional<Process> process_;
  HWND window_ = nullptr;
};

TEST_F(ScreenReaderTest, EveryControlIsHeardByItsNameAndRoleThroughTurnsThatBlankChoices) {
  ASSERT_NO_FATAL_FAILURE(CheckEveryControl(/*print=*/true));
  EXPECT_EQ(HeardName(kTreasuryBox), "Treasury");
  EXPECT_EQ(HeardName(kTreasuryTrendBox), "Treasury trend");
  EXPECT_EQ(HeardName(kWorkforceBox), "Workforce");
  EXPECT_EQ(HeardName(kExit), "Exit");

  // Turns until some choice button has lost its offer and some has gained one, each heard anew.
  bool blanked = false;
  bool offered = false;
  for (int turn = 1; turn <= 30 && !(blanked && offered); ++turn) {
    SCOPED_TRACE("turn " + std::to_string(turn));
    std::string before[kChoiceButtons + 1];
    for (int k = 1; k <= kChoiceButtons; ++k) before[k] = Text(window_, ChoiceButton(k));
    ASSERT_TRUE(Click(window_, kFirstChoiceButton));
    for (int k = 1; k <= kChoiceButtons; ++k) {
      const std::string name = Check(*FindControlLayout(ChoiceButton(k)), /*print=*/false);
      const bool was_blank = before[k].empty();
      const bool is_blank = Text(window_, ChoiceButton(k)).empty();
      if (!was_blank && is_blank) {
        blanked = true;
        EXPECT_EQ(name, "Choice " + std::to_string(k) + ", no offer");
      }
      offered = offered || (was_blank && !is_blank);
    }
  }
  EXPECT_TRUE(blanked) << "no turn took an offer off a button";
  EXPECT_TRUE(offered) << "no turn put an offer on a blank button";
  // The figures and the tax boxes, which the first turn made, under their names.
  ASSERT_NO_FATAL_FAILURE(CheckEveryControl(/*print=*/false));
  EXPECT_EQ(HeardName(kIncomeTaxBox), "Income Tax");

  // A screen reader may hold a control's object when the game ends: asked then, it answers an
  // error, and the game ended as ever.
  IAccessible* held = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(GetDlgItem(window_, kTreasuryBox),
                                       static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&held)),
            S_OK);
  Click(window_, kExit);
  EXPECT_EQ(process_->WaitForExit(), std::optional<DWORD>(0));
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  EXPECT_TRUE(FAILED(held->get_accName(self, &name)));
  SysFreeString(name);
  held->Release();
}

}  // namespace
}  // namespace townwright::win32
