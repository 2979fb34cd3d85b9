#include "data/city_state.h"

namespace townwright {
namespace {

// Indicators 1 to 8, in the order every indicator array follows.
constexpr std::array<double CityState::*, kIndicatorCount> kIndicatorFields = {
    &CityState::Treasury,        &CityState::Wealth,        &CityState::Cleanliness,
    &CityState::Peacefulness,    &CityState::Census,        &CityState::Sustainability,
    &CityState::VelocityOfMoney, &CityState::QualityOfLife,
};

}  // namespace

double& Indicator(CityState& city, int k) { return city.*kIndicatorFields.at(k - 1); }

double Indicator(const CityState& city, int k) { return city.*kIndicatorFields.at(k - 1); }

}  // namespace townwright
