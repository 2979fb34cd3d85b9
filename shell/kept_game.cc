#include "shell/kept_game.h"

#include <array>
#include <cmath>
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
#include "shell/kept_game_seal.h"
#include "sim/choice_code.h"
#include "sim/status_sort.h"
#include "view/choice_buttons.h"
#include "view/control_ids.h"

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

// The first turn writes DayText for the day box, and nothing empties it again.
bool TurnPlayed(const CityState& city) { return !city.DayText.empty(); }

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

// Choice 1 does nothing; every other caption is empty or the one its code gives, for a project
// that stands in the list its offer is drawn from, as the project list makes them.
bool ChoicesFitTheirCodes(const CityState& city) {
  using choice_code::Decision;
  if (city.ChoiceText[1] != kDoNothingCaption || city.ChoiceCode[1] != choice_code::kDoNothing) {
    return false;
  }
  for (int k = 2; k <= kChoiceButtons; ++k) {
    const std::string& text = city.ChoiceText[k];
    const double code = city.ChoiceCode[k];
    if (text.empty()) continue;
    const choice_code::DecodedChoice choice = choice_code::Decode(code);
    const double project = static_cast<double>(choice.project);
    if (code != std::floor(code) || !(project >= 1 && project <= kProjectCount)) return false;
    const std::string& list = choice.decision == Decision::kBuild        ? city.PendingProjects
                              : choice.decision == Decision::kReactivate ? city.HaltedProjects
                                                                         : city.ActiveProjects;
    if (list.find(ProjectCode(static_cast<int>(project))) == std::string::npos ||
        text != ChoiceCaption(city, code)) {
      return false;
    }
  }
  return true;
}

// The projects a code string lists, one bit each; nothing where it lists one twice or a code
// that is no project's.
std::optional<std::uint64_t> ProjectsIn(const std::string& list) {
  std::uint64_t projects = 0;
  for (const char code : list) {
    const int project = ProjectOfCode(code);
    if (project < 0 || project > kProjectCount || (projects >> project & 1) != 0) {
      return std::nullopt;
    }
    projects |= std::uint64_t{1} << project;
  }
  return projects;
}

// After a turn: the status lists are the ones the sort makes of the projects' progress, the
// halted and active lists in the order the last draw shuffled them into. Sorted anew in place and
// put back as they were.
bool ListsFitTheProjects(CityState& city) {
  const std::string pending = city.PendingProjects;
  const std::string halted = city.HaltedProjects;
  const std::string active = city.ActiveProjects;
  SortProjects(city);
  const bool fit = city.PendingProjects == pending &&
                   ProjectsIn(halted) == ProjectsIn(city.HaltedProjects) &&
                   ProjectsIn(active) == ProjectsIn(city.ActiveProjects) &&
                   ProjectsIn(halted).has_value() && ProjectsIn(active).has_value();
  city.HaltedProjects = halted;
  city.ActiveProjects = active;
  return fit;
}

// Before the first turn: the first day, and the start deck of projects 0 to 31 pending.
bool IsUnplayed(const CityState& city) {
  constexpr std::uint64_t kEveryProject = (std::uint64_t{1} << (kProjectCount + 1)) - 1;
  return city.Day == 1 && city.Month == 1 && city.Year == 2008 &&
         ProjectsIn(city.PendingProjects) == kEveryProject && city.HaltedProjects.empty() &&
         city.ActiveProjects.empty();
}

// A copy that passed its checksum was written by this release; but what a copy holds is taken
// from outside the game, so it is used only where it is a game the rules could have made. The
// record's texts are left alone: the boxes show the kept box texts, and the next turn writes the
// record's texts anew.
bool IsSound(KeptGame& kept) {
  CityState& city = *kept.city;
  const auto finite = [](double rate) { return std::isfinite(rate); };
  return kept.generator.drawn <= GeneratorState::kWords && city.Day >= 1 && city.Day <= 27 &&
         city.Month >= 1 && city.Month <= 12 && finite(city.IncomeTaxRate) &&
         finite(city.SalesTaxRate) && finite(city.PropertyTaxRate) && ChoicesFitTheirCodes(city) &&
         (TurnPlayed(city) ? ListsFitTheProjects(city) : IsUnplayed(city));
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

void KeepRunningGame(const CityState& city, const MainDialog& window, const GameRandom& random,
                     Platform& platform) {
  if (!platform.KeepsGames()) return;
  platform.KeepGame(window.Ended ? std::string() : KeptCopy(city, random.state(), platform));
}

bool ResumeKeptGame(CityState& city, MainDialog& window, GameRandom& random, Platform& platform) {
  std::optional<KeptGame> kept = ReadKeptGame(platform.KeptGame());
  if (!kept) return false;
  city = std::move(*kept->city);
  random.Restore(kept->generator);
  BuildMainDialog(city, window, platform);
  // The text boxes show what they showed, typing included; the rest the record gives.
  WindowDisplay display(window, platform);
  const std::span<const int> boxes = TextBoxes(TurnPlayed(city));
  for (std::size_t i = 0; i < boxes.size(); ++i)
    display.RefreshControl(boxes[i], kept->box_texts[i]);
  return true;
}

}  // namespace townwright
