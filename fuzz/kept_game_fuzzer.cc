// A kept game, read back: whatever the copy holds, reading it must not crash, and it must give
// either a sound game, which plays on soundly, or none (and then a new game, showing nothing of the
// copy). A copy's checksum keeps nearly all damage out, which would also keep the fuzzer out of the
// reading; so most inputs change a game's own bytes and seal them anew, as a copy edited by hand
// would be.
//
// Input: 1 byte of kind, then by kind:
//   even   1 byte of starting point, modulo 4: a game before its first turn, after 3 turns with
//          typing in its boxes, after 40 turns, or a mature game of 600 turns (made once per run);
//          then edits of that game's bytes, 3 bytes each: a position (2 bytes, modulo the bytes'
//          length plus one; the length itself cuts the bytes short at the third byte's share of
//          them) and the byte to put there. The edited bytes are sealed as this release seals them.
//   odd    the rest is the copy's text, as the platform would give it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "game_invariants.h"
#include "platform/headless/headless_game.h"
#include "same_game.h"
#include "shell/kept_game_seal.h"
#include "view/control_ids.h"
#include "view/date_display.h"

namespace townwright::fuzzing {
namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return position_ >= size_; }
  std::uint8_t Next() { return empty() ? 0 : data_[position_++]; }
  std::string_view Rest() {
    const std::string_view rest(reinterpret_cast<const char*>(data_ + position_),
                                size_ - std::min(position_, size_));
    position_ = size_;
    return rest;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// The bytes of a game kept after `turns` turns from `seed`, with typing in its boxes.
std::string KeptGameBytes(std::uint64_t seed, int turns) {
  HeadlessGame game;
  game.platform().set_keeps_games(true);
  game.Start(seed);
  game.Send({.kind = WindowEvent::Kind::kInitialise});
  for (int turn = 0; turn < turns; ++turn) game.Press(1 + (turn + 1) % kChoiceButtons);
  if (turns > 0) {
    game.SetTaxes("12.5", "abc", "-3");
    game.platform().Type(control_id::kTreasuryBox, "typed");
    game.Click(control_id::kTreasuryBox, 0x300);  // as a changed text box says so
  }
  return *UnsealKeptGame(game.platform().KeptGame());
}

std::string EditedCopy(Input& input) {
  static const std::string starts[] = {KeptGameBytes(1, 0), KeptGameBytes(2, 3),
                                       KeptGameBytes(3, 40), KeptGameBytes(4, 600)};
  std::string bytes = starts[input.Next() % std::size(starts)];
  while (!input.empty() && !bytes.empty()) {
    const std::size_t position = (input.Next() | input.Next() << 8) % (bytes.size() + 1);
    const std::uint8_t value = input.Next();
    if (position == bytes.size()) {
      bytes.resize(bytes.size() * value / 256);
    } else {
      bytes[position] = static_cast<char>(value);
    }
  }
  return SealKeptGame(bytes);
}

}  // namespace
}  // namespace townwright::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace townwright;
  using namespace townwright::fuzzing;
  using testing::FindBrokenRule;
  using testing::Moment;
  Input input(data, size);
  const std::string copy = input.Next() % 2 == 0 ? EditedCopy(input) : std::string(input.Rest());

  HeadlessGame game;
  game.platform().KeepGame(copy);
  game.platform().set_keeps_games(true);
  constexpr std::uint64_t kNewSeed = 77;
  if (!game.Start(kNewSeed)) {
    const std::string difference = testing::FindDifference(game, HeadlessGame(kNewSeed));
    Require(difference.empty(), "a copy not used, but the new game differs: " + difference);
    return 0;
  }
  std::string broken =
      FindBrokenRule(game.city(), game.platform(),
                     TurnPlayed(game.city()) ? Moment::kResumed : Moment::kBeforeFirstTurn);
  Require(broken.empty(), "brought back: " + broken);

  // Kept again and brought back again, it is the same game.
  game.Send({.kind = WindowEvent::Kind::kInitialise});
  HeadlessGame again;
  again.platform().KeepGame(game.platform().KeptGame());
  Require(again.Start(kNewSeed), "a game brought back is not brought back again");
  const std::string difference = testing::FindDifference(again, game);
  Require(difference.empty(), "brought back twice: " + difference);

  for (int k : {1, 5, 9}) {
    game.Press(k);
    broken = FindBrokenRule(game.city(), game.platform(), Moment::kJustAfterTurn);
    Require(broken.empty(), "a turn after it was brought back: " + broken);
  }
  return 0;
}
