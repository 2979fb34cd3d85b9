#include "sim/choices.h"

#include <cstddef>
#include <optional>
#include <string>

#include "data/arithmetic.h"
#include "data/code_shuffle.h"
#include "sim/choice_code.h"

namespace townwright {
namespace {

constexpr int kOffersPerSection = 4;

// Choices fill slots 1, 2, 3 ... without gaps: at most 15 of them (doing nothing, 6 builds, 4
// reactivations, 4 halts), within ChoiceCode's 0..16.
class ChoiceSlots {
 public:
  explicit ChoiceSlots(CityState& city) : city_(city) {}

  void Add(double code) { city_.ChoiceCode[next_++] = code; }

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

// Offers from `codes` (the halted or the active list, which the status sort fills with projects 1
// to 31 alone) at positions first .. first + 3, ending at the first position beyond the end.
// Returns the position where the section ended.
std::size_t OfferSection(ChoiceSlots& slots, const std::string& codes, std::size_t first,
                         double (*code_of)(int)) {
  std::size_t position = first;
  for (; position < first + kOffersPerSection && position <= codes.size(); ++position) {
    slots.Add(code_of(ProjectOfCode(codes[position - 1])));
  }
  return position;
}

}  // namespace

int DrawChoices(CityState& city, RandomSource& random) {
  std::string pending = city.PendingProjects;
  ShuffleCodes(pending, static_cast<double>(pending.size()), random);
  const auto build_offer_limit =
      static_cast<std::size_t>(Int(5 * static_cast<Extended>(random.NextUniform())) + 3);

  ChoiceSlots slots(city);
  slots.Add(choice_code::kDoNothing);

  // Position 1 of the shuffled list is never looked at.
  std::size_t position = 2;
  for (; position <= build_offer_limit; ++position) {
    const auto project = ProjectAt(city, pending, position);
    if (!project) continue;
    if (city.ProjectCost[*project] > city.Funds || city.ProjectName[*project].empty()) continue;
    slots.Add(choice_code::Build(static_cast<int>(*project)));
    if (slots.next() > build_offer_limit) break;
  }

  // Reactivations start where the Build offers stopped, halts where the reactivations stopped.
  ShuffleCodes(city.HaltedProjects, static_cast<double>(city.HaltedProjects.size()), random);
  position = OfferSection(slots, city.HaltedProjects, position, choice_code::Reactivate);
  ShuffleCodes(city.ActiveProjects, static_cast<double>(city.ActiveProjects.size()), random);
  OfferSection(slots, city.ActiveProjects, position, choice_code::Halt);
  return static_cast<int>(slots.next() - 1);
}

}  // namespace townwright
