// The in-memory window under the contract suite (shell/platform_test.cc). It has no keyboard, no
// other windows and no thread of its own: the player acts from inside RunUntilEnded.

#include "platform/headless/headless_platform.h"
#include "platform/contract/platform_harness.h"

namespace townwright::testing {
namespace {

class HeadlessHarness final : public PlatformHarness {
 public:
  HeadlessHarness() {
    window_.set_on_pause([this](int milliseconds) { Paused(milliseconds); });
    window_.set_keeps_games(true);  // as the page does, so that the suite sees what is kept
  }

  Platform& platform() override { return window_; }

  int Run(const WindowEventHandler& handler, const std::function<void()>& player) override {
    window_.set_player([&] {
      player();
      window_.EndWindow(kLeftOpen);  // ignored when the player ended the window
    });
    const int result = window_.RunUntilEnded(handler);
    window_.set_player(nullptr);
    return result;
  }

  void Click(int id) override { window_.PostClick(id); }
  void ClickLater(int id) override { window_.PostClick(id); }
  void Type(int id, std::string_view text) override { window_.Type(id, text); }
  void Focus(int id) override { window_.FocusControl(id); }
  void SwitchAway() override {
    window_.Post({.kind = WindowEvent::Kind::kActivation, .active = false});
    window_.SetFocus(0);
  }
  void ComeBack() override {
    window_.Post({.kind = WindowEvent::Kind::kActivation, .active = true});
  }
  void CloseNewestMessageBox() override { window_.CloseMessageBox(); }
  void SystemClose() override { window_.Post({.kind = WindowEvent::Kind::kSystemClose}); }
  void Press(Key) override {}
  void Settle() override {}  // every event is handled before the hand that made it returns

  std::string Caption() override { return window_.caption(); }
  std::optional<std::string> Text(int id) override {
    const HeadlessPlatform::Control* control = window_.FindControl(id);
    if (control == nullptr) return std::nullopt;
    return control->text;
  }
  std::vector<int> Controls() override {
    std::vector<int> ids;
    for (const HeadlessPlatform::Control& control : window_.controls()) ids.push_back(control.id);
    return ids;
  }
  int FocusedControl() override { return ControlIdOfHandle(window_.FocusedControl()); }
  std::vector<ShownBox> MessageBoxes() override {
    std::vector<ShownBox> open;
    for (const HeadlessPlatform::MessageBox& box : window_.message_boxes()) {
      if (box.open) open.push_back({box.caption, box.text});
    }
    return open;
  }
  void OnGameThread(const std::function<void()>& work) override { work(); }

 private:
  HeadlessPlatform window_;
};

std::unique_ptr<PlatformHarness> MakeHeadlessHarness() {
  return std::make_unique<HeadlessHarness>();
}

}  // namespace

const HarnessMaker kHarnessUnderTest = {"Headless", false, &MakeHeadlessHarness};

}  // namespace townwright::testing
