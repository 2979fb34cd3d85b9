// A control's object for screen readers, held by a client in this process: it follows the name the
// platform gives the control, and outlives the control without touching it.

#include "platform/win32/accessible_control.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>

#include "platform/win32/win32_platform.h"
#include "view/control_ids.h"

namespace townwright::win32 {
namespace {

using control_id::kTreasuryBox;

VARIANT Self() {
  VARIANT self = {};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

std::wstring NameOf(IAccessible& object) {
  BSTR name = nullptr;
  if (object.get_accName(Self(), &name) != S_OK) return L"(no name)";
  std::wstring copy(name, SysStringLen(name));
  SysFreeString(name);
  return copy;
}

TEST(AccessibleControlTest, AHeldObjectFollowsTheNameAndOutlivesItsControlUntilLetGo) {
  Win32Platform platform;
  ASSERT_NE(platform.CreateMainWindow("accessible", {0, 0, 100, 50}, "MS Sans Serif", 8), 0u);
  ASSERT_NE(
      platform.CreateControl(kTreasuryBox, ControlKind::kTextBox, {5, 5, 70, 15}, "$1", "Treasury"),
      0u);
  const HWND control = GetDlgItem(reinterpret_cast<HWND>(platform.main_window()), kTreasuryBox);
  IAccessible* held = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&held)),
            S_OK);
  EXPECT_EQ(NameOf(*held), L"Treasury");
  ASSERT_TRUE(platform.SetControlText(kTreasuryBox, "$2", "Treasury, renamed"));
  EXPECT_EQ(NameOf(*held), L"Treasury, renamed");

  platform.EndWindow(0);  // destroys the window and its controls
  ASSERT_FALSE(IsWindow(control));
  wchar_t stale[] = L"stale";
  BSTR name = stale;
  VARIANT role = {};
  role.vt = VT_I4;
  EXPECT_EQ(held->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(name, nullptr) << "an [out] argument left set on failure";
  EXPECT_EQ(held->get_accRole(Self(), &role), CO_E_OBJNOTCONNECTED);
  EXPECT_EQ(role.vt, VT_EMPTY);
  EXPECT_EQ(held->Release(), 0u) << "a reference that no one will let go: the object leaks";
}

}  // namespace
}  // namespace townwright::win32
