#include "view/indicator_panel.h"

#include <cmath>
#include <string>

#include "data/arithmetic.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr int kDigits = 15;

std::string WholeFigure(double value) { return NumberToText(RoundDecimals(value, 0), kDigits); }

void WriteIndicatorTexts(CityState& city) {
  for (int k = 1; k <= kIndicatorCount; ++k)
    city.IndicatorText[k] = WholeFigure(Indicator(city, k));
}

void WriteTrendTexts(CityState& city) {
  for (int k = 1; k <= kIndicatorCount; ++k) {
    const double ratio = city.IndicatorRatio[k];
    // Against 0, not 1: an indicator that fell from 1000 to 900 still reads "UP 90%".
    const char* prefix = ratio > 0 ? "UP" : ratio < 0 ? "DN" : "";
    const double percent = std::fabs(ratio) * Extended{100};
    std::string& trend = city.TrendText[k];
    trend = prefix;
    trend += WholeFigure(percent);
    trend += '%';
  }
}

void Show(CityState& city, Display& display) {
  using namespace control_id;
  // Grouped figures are kept as shown.
  const auto money = [](const std::string& text) {
    std::string money_text = "$";
    money_text += GroupThousands(text);
    return money_text;
  };
  city.IndicatorText[1] = money(city.IndicatorText[1]);
  display.RefreshControl(kTreasuryBox, city.IndicatorText[1]);
  city.IndicatorText[2] = money(city.IndicatorText[2]);
  display.RefreshControl(kWealthBox, city.IndicatorText[2]);
  display.RefreshControl(kCleanlinessBox, city.IndicatorText[3]);
  display.RefreshControl(kPeacefulnessBox, city.IndicatorText[4]);
  city.IndicatorText[5] = GroupThousands(city.IndicatorText[5]);
  display.RefreshControl(kCensusBox, city.IndicatorText[5]);
  display.RefreshControl(kSustainabilityBox, city.IndicatorText[6]);
  city.IndicatorText[7] = money(city.IndicatorText[7]);
  display.RefreshControl(kVelocityOfMoneyBox, city.IndicatorText[7]);
  display.RefreshControl(kQualityOfLifeBox, city.IndicatorText[8]);

  for (int k = 1; k <= kIndicatorCount; ++k) {
    display.RefreshControl(TrendBox(k), city.TrendText[k]);
  }

  const auto percentage = [](double rate) {
    return NumberToText(RoundDecimals(100 * Extended{rate}, 1), kDigits);
  };
  display.RefreshControl(kIncomeTaxBox, percentage(city.IncomeTaxRate));
  display.RefreshControl(kSalesTaxBox, percentage(city.SalesTaxRate));
  display.RefreshControl(kPropertyTaxBox, percentage(city.PropertyTaxRate));
  display.RefreshControl(kCitizensMonthlyBox, money(WholeFigure(city.CitizensMonthly)));
  // Workforce is already a whole number.
  display.RefreshControl(kWorkforceBox, GroupThousands(NumberToText(city.Workforce, kDigits)));
}

}  // namespace

void ShowIndicatorPanel(CityState& city, Display& display) {
  WriteIndicatorTexts(city);
  WriteTrendTexts(city);
  Show(city, display);
}

}  // namespace townwright
