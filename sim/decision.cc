#include "sim/decision.h"

#include <cmath>

#include "data/arithmetic.h"
#include "sim/workforce.h"

namespace townwright {
namespace {

// The fractional constants of the game are single-precision values.
constexpr Extended kBuildStepScale = 0.1f;
constexpr double kReactivatedProgress = 1.001f;
constexpr double kHaltedProgress = 0.0088f;

constexpr double kDoNothing = -1;

enum class Decision { kBuild, kReactivate, kHalt };

struct ClassifiedCode {
  Decision decision;
  Extended project;
};

// The range tests are strict; a code in none of the ranges is a Build of project `code`.
ClassifiedCode Classify(double code) {
  if (code > 1000 && code < 1999) return {Decision::kReactivate, code - Extended{1000}};
  if (code > 2000 && code < 2999) return {Decision::kHalt, code - Extended{2000}};
  return {Decision::kBuild, code};
}

void Build(CityState& city, std::size_t project) {
  const double cost = city.ProjectCost[project];
  city.ProjectProgress[project] = city.BuildStep + Extended{city.ProjectProgress[project]};
  city.Funds = city.Funds - cost * Extended{city.BuildStep};
  city.VelocityOfMoney = Abs(cost * Extended{city.BuildStep}) + city.VelocityOfMoney;
  if (city.ProjectProgress[project] > 1) city.ProjectCompleted[project] = kTrue;
}

}  // namespace

void ApplyDecision(CityState& city, RandomSource& random) {
  const auto slot = ArrayIndex(city.SelectedChoice, city.ChoiceCode.size());
  if (!slot) return;
  const double code = city.ChoiceCode[*slot];
  if (code == kDoNothing) return;

  const ClassifiedCode classified = Classify(code);
  if (classified.decision == Decision::kBuild) {
    city.BuildStep = static_cast<double>(kBuildStepScale * random.NextUniform());
  }
  // Project numbers index every project array, the catalogue's 0..32 being the shortest.
  const auto project = ArrayIndex(classified.project, city.ProjectCost.size());
  if (!project) return;

  switch (classified.decision) {
    case Decision::kBuild:
      Build(city, *project);
      break;
    case Decision::kReactivate:
      city.ProjectProgress[*project] = kReactivatedProgress;
      break;
    case Decision::kHalt:
      city.ProjectProgress[*project] = kHaltedProgress;
      break;
  }
  ApplyWorkforceEffect(city, *project, city.ProjectProgress[*project]);
}

}  // namespace townwright
