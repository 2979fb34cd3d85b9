// Whole games: the input is a starting point, a seed and a sequence of things a player does
// (presses of any button, text typed into any box, commands that are no click, switching windows,
// closing). After every action each rule of a sound game must hold.
//
// Halting and reactivating projects, and the figures of a town decades old, come only after
// hundreds of turns, more than one input can play quickly. So the first byte chooses where the
// game starts: a new game from the seed, or one of a few mature games, made once per run by
// building for up to 3,000 turns, whose generator is then seeded afresh with the seed.
//
// Input: 1 byte of starting point, 8 bytes of seed, then actions of one byte each, some followed
// by their operands:
//   0-8   press choice button 1-9                    9   "Update Tax Rates"
//   10    type into tax box (1 byte: which; 1 byte: length n; n bytes of text)
//   11    "Save", "Load" or "New" (1 byte: which)
//   12    a command to any identifier (2 bytes: identifier; 1 byte: notification code)
//   13    the window is deactivated or activated (1 byte: which; when deactivated, the focus was in
//         the control of the next byte)
//   14    "Exit"                                     15  the window manager's close
// Any byte is an action (its value modulo 16); a game ends at "Exit", a close or the input's end.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "game_invariants.h"
#include "platform/headless/headless_game.h"
#include "view/control_ids.h"

namespace townwright::fuzzing {
namespace {

// Enough for long games while keeping each input quick to run.
constexpr int kMaxActions = 400;

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return position_ >= size_; }
  std::uint8_t Next() { return empty() ? 0 : data_[position_++]; }
  std::string_view Take(std::size_t count) {
    count = std::min(count, size_ - std::min(position_, size_));
    const std::string_view taken(reinterpret_cast<const char*>(data_ + position_), count);
    position_ += count;
    return taken;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

class FuzzedGame {
 public:
  explicit FuzzedGame(std::uint64_t seed) : game_(seed) {}

  // A game that a patient builder played for `turns` turns from `seed`, pressing the choice
  // buttons 2 to 9 and 1 in turn, so that projects are built, completed, halted and reactivated.
  static FuzzedGame Mature(std::uint64_t seed, int turns) {
    FuzzedGame game(seed);
    for (int turn = 0; turn < turns; ++turn) {
      game.game_.Press(1 + (turn + 1) % kChoiceButtons);
    }
    return game;
  }

  void Reseed(std::uint64_t seed) { game_.random().Seed(seed); }

  // Plays one action; false once the window has ended.
  bool Play(ByteReader& input) {
    using namespace control_id;
    HeadlessPlatform& platform = game_.platform();
    bool played = false;
    const int action = input.Next() % 16;
    if (action <= 8) {
      played = game_.Press(1 + action);
    } else if (action == 9) {
      game_.Click(kUpdateTaxRates);
    } else if (action == 10) {
      const int box = kIncomeTaxBox + input.Next() % 3;
      const std::string_view text = input.Take(input.Next());
      platform.Type(box, text);
    } else if (action == 11) {
      constexpr int kNotEnabled[] = {kSave, kLoad, kNew};
      game_.Click(kNotEnabled[input.Next() % 3]);
    } else if (action == 12) {
      const int id = input.Next() << 8 | input.Next();
      played = game_.Click(id, input.Next());
    } else if (action == 13) {
      const bool active = input.Next() % 2 == 1;
      if (!active) platform.Focus(1000 + input.Next() % 60);
      game_.Send({.kind = WindowEvent::Kind::kActivation, .active = active});
    } else if (action == 14) {
      game_.Click(kExit);
    } else {
      game_.Send({.kind = WindowEvent::Kind::kSystemClose});
    }
    const testing::Moment moment = game_.turns_played() == 0 ? testing::Moment::kBeforeFirstTurn
                                   : played                  ? testing::Moment::kJustAfterTurn
                                                             : testing::Moment::kBetweenTurns;
    const std::string broken = testing::FindBrokenRule(game_.city(), platform, moment);
    Require(broken.empty(), broken);
    return !platform.ended();
  }

 private:
  HeadlessGame game_;
};

const std::vector<FuzzedGame>& MatureGames() {
  static const std::vector<FuzzedGame> games = [] {
    std::vector<FuzzedGame> made;
    for (const int turns : {600, 1500, 3000}) made.push_back(FuzzedGame::Mature(1, turns));
    return made;
  }();
  return games;
}

}  // namespace
}  // namespace townwright::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace townwright::fuzzing;
  ByteReader input(data, size);
  const std::size_t start = input.Next() % (MatureGames().size() + 1);
  std::uint64_t seed = 0;
  const std::string_view seed_bytes = input.Take(sizeof seed);
  std::memcpy(&seed, seed_bytes.data(), seed_bytes.size());
  FuzzedGame game = start == 0 ? FuzzedGame(seed) : MatureGames()[start - 1];
  if (start != 0) game.Reseed(seed);
  for (int actions = 0; actions < kMaxActions && !input.empty(); ++actions) {
    if (!game.Play(input)) break;
  }
  return 0;
}
