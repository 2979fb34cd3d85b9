#include "view/project_list.h"

#include <cstddef>
#include <optional>
#include <string>

#include "data/arithmetic.h"
#include "data/code_shuffle.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr double kDoNothingCode = -1;
constexpr double kReactivateBase = 1000;
constexpr double kHaltBase = 2000;
constexpr int kButtonPauseMilliseconds = 100;
constexpr int kOffersPerSection = 4;

// Choices fill slots 1, 2, 3 ... without gaps; only slots 1 to 9 have a button.
class ChoiceSlots {
 public:
  explicit ChoiceSlots(CityState& city) : city_(city) {}

  void Add(std::string caption, double code) {
    if (next_ >= city_.ChoiceText.size()) return;  // never reached: at most 15 choices are made
    city_.ChoiceText[next_] = std::move(caption);
    city_.ChoiceCode[next_] = code;
    ++next_;
  }

  std::size_t next() const { return next_; }

 private:
  CityState& city_;
  std::size_t next_ = 1;
};

// The project at 1-based `position` of a code string, if the position and the project exist.
std::optional<std::size_t> ProjectAt(const CityState& city, const std::string& codes,
                                     std::size_t position) {
  if (position < 1 || position > codes.size()) return std::nullopt;
  return ArrayIndex(ProjectOfCode(codes[position - 1]), city.ProjectName.size());
}

std::string BuildCaption(const CityState& city, std::size_t project) {
  const double percent = 100 * Extended{city.ProjectProgress[project]};
  return "Build: " + city.ProjectName[project] + " [ " +
         NumberToText(RoundDecimals(percent, 0), 15) + "% completed ] ";
}

// Offers from `codes` at positions first .. first + 3, ending at the first position beyond the
// end. Returns the position where the section ended.
std::size_t OfferSection(CityState& city, ChoiceSlots& slots, const std::string& codes,
                         std::size_t first, const char* verb, double code_base) {
  std::size_t position = first;
  for (; position < first + kOffersPerSection; ++position) {
    if (position > codes.size()) break;
    const auto project = ProjectAt(city, codes, position);
    if (!project) continue;  // a code naming no project: a safety net, never made by the game
    slots.Add(verb + city.ProjectName[*project], code_base + static_cast<double>(*project));
  }
  return position;
}

}  // namespace

void RebuildChoices(CityState& city, RandomSource& random, Display& display) {
  for (int k = 1; k <= kChoiceButtons; ++k) city.ChoiceText[k].clear();

  std::string pending = city.PendingProjects;
  ShuffleCodes(pending, static_cast<double>(pending.size()), random);
  const auto build_offer_limit =
      static_cast<std::size_t>(Int(5 * static_cast<Extended>(random.NextUniform())) + 3);

  ChoiceSlots slots(city);
  slots.Add("do nothing (except collect taxes)", kDoNothingCode);

  // Position 1 of the shuffled list is never looked at.
  std::size_t position = 2;
  for (; position <= build_offer_limit; ++position) {
    const auto project = ProjectAt(city, pending, position);
    if (!project) continue;
    if (city.ProjectCost[*project] > city.Funds || city.ProjectName[*project].empty()) continue;
    slots.Add(BuildCaption(city, *project), static_cast<double>(*project));
    if (slots.next() > build_offer_limit) break;
  }

  ShuffleCodes(city.HaltedProjects, static_cast<double>(city.HaltedProjects.size()), random);
  position =
      OfferSection(city, slots, city.HaltedProjects, position, "Reactivate: ", kReactivateBase);
  ShuffleCodes(city.ActiveProjects, static_cast<double>(city.ActiveProjects.size()), random);
  OfferSection(city, slots, city.ActiveProjects, position, "Halt: ", kHaltBase);

  for (int k = 1; k <= kChoiceButtons; ++k) {
    display.RefreshControl(control_id::kFirstChoiceButton + k - 1, city.ChoiceText[k]);
    display.Pause(kButtonPauseMilliseconds);
  }
}

}  // namespace townwright
