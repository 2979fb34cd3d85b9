#include "shell/kept_game.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "data/byte_stream.h"
#include "data/catalogue.h"
#include "data/record_bytes.h"
#include "shell/control_table.h"
#include "shell/game_session.h"
#include "shell/kept_game_seal.h"
#include "shell/main_window.h"
#include "view/control_ids.h"
#include "view/date_display.h"
#include "view/sound_record.h"

namespace townwright {
namespace {

// The game's bytes, within the sealed copy:
//   the record without its catalogues     WriteRecord
//   the generator                         312 words of 8 bytes, then the words drawn in 4
//   the text boxes                        1 byte, their number, then each one's text, in the
//                                         order of TextBoxes()
struct KeptGame {
  std::unique_ptr<CityState> city = std::make_unique<CityState>();
  GeneratorState generator;
  std::vector<std::string> box_texts;
};

// Every text box in creation order: the window's own, then, from the end of the first turn on,
// the three tax boxes.
std::span<const int> TextBoxes(bool turn_played) {
  static const auto boxes = [] {
    std::array<int, control_id::kIdCount> ids{};
    std::size_t count = 0;
    for (const ControlLayout& layout : WindowControls()) {
      if (layout.kind == ControlKind::kTextBox) ids[count++] = layout.id;
    }
    for (const ControlLayout& layout : TaxBoxes()) ids[count++] = layout.id;
    return std::pair(ids, count);
  }();
  return std::span<const int>(boxes.first.data(),
                              boxes.second - (turn_played ? 0 : TaxBoxes().size()));
}

// A copy that passed its checksum was written in this format; but what a copy holds is taken from
// outside the game, so it is used only where it is a game the rules could have made. The record's
// texts are left alone: the boxes show the kept box texts, and the next turn writes the record's
// texts anew.
bool IsSound(const KeptGame& kept) {
  return kept.generator.drawn <= GeneratorState::kWords && FindBrokenRecordRule(*kept.city).empty();
}

std::optional<KeptGame> ReadKeptGame(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const std::optional<std::string> bytes = UnsealKeptGame(text);
  if (!bytes) return std::nullopt;
  KeptGame kept;
  FillCatalogues(*kept.city);
  ByteReader in(*bytes);
  ReadRecord(in, *kept.city);
  in(kept.generator.words);
  in(kept.generator.drawn);
  std::uint8_t box_count = 0;
  in(box_count);
  if (!in.ok() || box_count != TextBoxes(TurnPlayed(*kept.city)).size()) return std::nullopt;
  kept.box_texts.resize(box_count);
  for (std::string& box_text : kept.box_texts) in(box_text);
  if (!in.finished() || !IsSound(kept)) return std::nullopt;
  return kept;
}

}  // namespace

std::string KeptCopy(const CityState& city, const GeneratorState& generator, Platform& platform) {
  // A game's bytes are some 7,500, and grow only with what the player types.
  ByteWriter out(8192);
  WriteRecord(city, out);
  out(generator.words);
  out(generator.drawn);
  const std::span<const int> boxes = TextBoxes(TurnPlayed(city));
  out(static_cast<std::uint8_t>(boxes.size()));
  for (const int id : boxes) out(ReadControlText(platform, id));
  return SealKeptGame(out.bytes());
}

void GameSession::KeepRunningGame() {
  if (!platform_->KeepsGames()) return;
  platform_->KeepGame(dialog_.Ended ? std::string()
                                    : KeptCopy(*city_, random_.state(), *platform_));
}

bool GameSession::ResumeKeptGame() {
  std::optional<KeptGame> kept = ReadKeptGame(platform_->KeptGame());
  if (!kept) return false;
  *city_ = std::move(*kept->city);
  random_.Restore(kept->generator);
  BuildMainDialog();
  // The text boxes show what they showed, typing included; the rest the record gives.
  WindowDisplay display(dialog_, *platform_);
  const std::span<const int> boxes = TextBoxes(TurnPlayed(*city_));
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    display.RefreshControl(boxes[i], kept->box_texts[i]);
  }
  return true;
}

}  // namespace townwright
