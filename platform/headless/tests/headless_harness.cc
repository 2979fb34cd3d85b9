// The in-memory window under the contract suite (platform/contract/platform_test.cc). It has no
// keyboard, no other windows and no thread of its own: the player acts from inside RunUntilEnded.

#include "platform/contract/platform_harness.h"
#include "platform/headless/headless_platform.h"

namespace townwright::testing {
namespace {

class HeadlessHarness final : public PlatformHarness {
 public:
  HeadlessHarness() {
    platform_.set_on_pause([this](int milliseconds) { Paused(milliseconds); });
    platform_.set_keeps_games(true);  // as the page does, so that the suite sees what is kept
    platform_.set_keeps_news(true);
  }

  Platform& platform() override { return platform_; }

  int Run(const WindowEventHandler& handler, const std::function<void()>& player) override {
    platform_.set_player([&] {
      player();
      platform_.EndWindow(kWindowStillOpen);  // ignored when the player ended the window
    });
    const int result = platform_.RunUntilEnded(handler);
    platform_.set_player(nullptr);
    return result;
  }

  void Click(int id) override { platform_.PostClick(id); }
  void ClickLater(int id) override { platform_.PostClick(id); }
  void Type(int id, std::string_view text) override { platform_.Type(id, text); }
  void Focus(int id) override { platform_.Focus(id); }
  void SwitchAway() override {
    platform_.Post({.kind = WindowEvent::Kind::kActivation, .active = false});
    platform_.SetFocus(0);
  }
  void ComeBack() override {
    platform_.Post({.kind = WindowEvent::Kind::kActivation, .active = true});
  }
  void CloseNewestMessageBox() override { platform_.CloseNewestMessageBox(); }
  void SystemClose() override { platform_.Post({.kind = WindowEvent::Kind::kSystemClose}); }
  void Press(Key) override {}
  void Settle() override {}  // every event is handled before the hand that made it returns

  std::string Caption() override { return platform_.caption(); }
  std::optional<std::string> Text(int id) override {
    const HeadlessPlatform::Control* control = platform_.FindControl(id);
    if (control == nullptr) return std::nullopt;
    return control->text;
  }
  std::vector<int> Controls() override {
    std::vector<int> ids;
    for (const HeadlessPlatform::Control& control : platform_.controls()) ids.push_back(control.id);
    return ids;
  }
  int FocusedControl() override { return ControlIdOfHandle(platform_.FocusedControl()); }
  std::vector<ShownBox> MessageBoxes() override {
    std::vector<ShownBox> open;
    for (const HeadlessPlatform::MessageBox& box : platform_.message_boxes()) {
      if (box.open) open.push_back({box.caption, box.text});
    }
    return open;
  }
  std::vector<std::string> Told() override { return platform_.announcements(); }
  void OnGameThread(const std::function<void()>& work) override { work(); }

 private:
  HeadlessPlatform platform_;
};

std::unique_ptr<PlatformHarness> MakeHeadlessHarness() {
  return std::make_unique<HeadlessHarness>();
}

}  // namespace

const HarnessMaker kHarnessUnderTest = {"Headless", false, &MakeHeadlessHarness};

}  // namespace townwright::testing
