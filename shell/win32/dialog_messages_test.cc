#include "shell/win32/dialog_messages.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace townwright {
namespace {

using Kind = WindowEvent::Kind;

TEST(TranslateDialogMessageTest, FourMessagesMeanSomethingToTheGame) {
  struct Row {
    UINT message;
    WPARAM w_param;
    std::optional<WindowEvent> expected;
    const char* why;
  };
  const Row rows[] = {
      {WM_INITDIALOG, 0, WindowEvent{.kind = Kind::kInitialise}, "the start"},
      {WM_NCACTIVATE, 0, WindowEvent{.kind = Kind::kActivation, .active = false},
       "0 is the deactivation"},
      {WM_NCACTIVATE, 1, WindowEvent{.kind = Kind::kActivation, .active = true}, "activation"},
      {WM_NCACTIVATE, 0x10000, WindowEvent{.kind = Kind::kActivation, .active = true},
       "any bit set is an activation"},
      {WM_COMMAND, MAKEWPARAM(1011, BN_CLICKED),
       WindowEvent{.kind = Kind::kCommand, .control_id = 1011, .notification_code = 0},
       "a click: the low word is the identifier"},
      {WM_COMMAND, MAKEWPARAM(1046, EN_CHANGE),
       WindowEvent{.kind = Kind::kCommand, .control_id = 1046, .notification_code = EN_CHANGE},
       "the high word is the notification code"},
      {WM_COMMAND, MAKEWPARAM(0xFFFF, 0xFFFF),
       WindowEvent{.kind = Kind::kCommand, .control_id = 0xFFFF, .notification_code = 0xFFFF},
       "both words unsigned"},
      {WM_SYSCOMMAND, SC_CLOSE, WindowEvent{.kind = Kind::kSystemClose}, "Alt+F4"},
      {WM_SYSCOMMAND, SC_CLOSE | 0x2, WindowEvent{.kind = Kind::kSystemClose},
       "the system's own low bits"},
      {WM_SYSCOMMAND, SC_MINIMIZE, std::nullopt, "other system commands"},
      {WM_ACTIVATE, WA_INACTIVE, std::nullopt, "the activation is followed through WM_NCACTIVATE"},
      {WM_CLOSE, 0, std::nullopt, "the system turns it into IDCANCEL, which does nothing"},
      {WM_KEYDOWN, VK_ESCAPE, std::nullopt, "keys"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    const auto event = TranslateDialogMessage(row.message, row.w_param);
    ASSERT_EQ(event.has_value(), row.expected.has_value());
    if (!event) continue;
    EXPECT_EQ(event->kind, row.expected->kind);
    EXPECT_EQ(event->active, row.expected->active);
    EXPECT_EQ(event->control_id, row.expected->control_id);
    EXPECT_EQ(event->notification_code, row.expected->notification_code);
  }
}

}  // namespace
}  // namespace townwright
