#include "sim/decision.h"

#include <cmath>

#include "data/arithmetic.h"
#include "sim/choice_code.h"
#include "sim/workforce.h"

namespace townwright {
namespace {

constexpr Extended kBuildStepScale = 0.1f;
constexpr double kReactivatedProgress = 1.001f;
constexpr double kHaltedProgress = 0.0088f;

void Build(CityState& city, std::size_t project) {
  const double cost = city.ProjectCost[project];
  city.ProjectProgress[project] = city.BuildStep + Extended{city.ProjectProgress[project]};
  city.Funds = city.Funds - cost * Extended{city.BuildStep};
  city.VelocityOfMoney = Abs(cost * Extended{city.BuildStep}) + city.VelocityOfMoney;
  if (city.ProjectProgress[project] > 1) city.ProjectCompleted[project] = kTrue;
}

}  // namespace

void ApplyDecision(CityState& city, RandomSource& random) {
  using choice_code::Decision;
  const auto slot = ArrayIndex(city.SelectedChoice, city.ChoiceCode.size());
  if (!slot) return;
  const choice_code::DecodedChoice choice = choice_code::Decode(city.ChoiceCode[*slot]);
  if (choice.decision == Decision::kDoNothing) return;

  if (choice.decision == Decision::kBuild) {
    city.BuildStep = static_cast<double>(kBuildStepScale * random.NextUniform());
  }
  // Project numbers index every project array, the catalogue's 0..32 being the shortest.
  const auto project = ArrayIndex(choice.project, city.ProjectCost.size());
  if (!project) return;

  switch (choice.decision) {
    case Decision::kBuild:
      Build(city, *project);
      break;
    case Decision::kReactivate:
      city.ProjectProgress[*project] = kReactivatedProgress;
      break;
    case Decision::kHalt:
      city.ProjectProgress[*project] = kHaltedProgress;
      break;
    case Decision::kDoNothing:
      break;
  }
  ApplyWorkforceEffect(city, *project, city.ProjectProgress[*project]);
}

}  // namespace townwright
