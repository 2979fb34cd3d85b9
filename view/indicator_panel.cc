#include "view/indicator_panel.h"

#include <cmath>
#include <string>

#include "data/arithmetic.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr int kDigits = 15;
constexpr int kComparedSlot = 30;  // the value 30 turns before this one

std::string WholeFigure(double value) { return NumberToText(RoundDecimals(value, 0), kDigits); }

void WriteIndicatorTexts(CityState& city) {
  for (int k = 1; k <= kIndicatorCount; ++k)
    city.IndicatorText[k] = WholeFigure(Indicator(city, k));
}

void MoveHistoryOn(CityState& city) {
  auto& history = city.IndicatorHistory;
  for (int slot = kComparedSlot; slot >= 1; --slot) {
    for (int k = 1; k <= kIndicatorCount; ++k) {
      // An earlier value of 0 leaves the ratio as it was.
      if (slot == kComparedSlot && history[slot][k] != 0) {
        city.IndicatorRatio[k] =
            static_cast<double>(Indicator(city, k) / Extended{history[slot][k]});
      }
      history[slot + 1][k] = history[slot][k];
      if (slot == 1) history[1][k] = Indicator(city, k);
    }
  }
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
  const auto money = [](const std::string& text) {
    std::string money_text = "$";
    money_text += GroupThousands(text);
    return money_text;
  };
  city.IndicatorText[1] = money(city.IndicatorText[1]);
  display.RefreshControl(kFirstIndicatorBox + 0, city.IndicatorText[1]);
  city.IndicatorText[2] = money(city.IndicatorText[2]);
  display.RefreshControl(kFirstIndicatorBox + 1, city.IndicatorText[2]);
  display.RefreshControl(kFirstIndicatorBox + 2, city.IndicatorText[3]);
  display.RefreshControl(kFirstIndicatorBox + 3, city.IndicatorText[4]);
  city.IndicatorText[5] = GroupThousands(city.IndicatorText[5]);
  display.RefreshControl(kFirstIndicatorBox + 4, city.IndicatorText[5]);
  display.RefreshControl(kFirstIndicatorBox + 5, city.IndicatorText[6]);
  city.IndicatorText[7] = money(city.IndicatorText[7]);
  display.RefreshControl(kFirstIndicatorBox + 6, city.IndicatorText[7]);
  display.RefreshControl(kFirstIndicatorBox + 7, city.IndicatorText[8]);

  for (int k = 1; k <= kIndicatorCount; ++k) {
    display.RefreshControl(kFirstTrendBox + k - 1, city.TrendText[k]);
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

void RefreshIndicatorPanel(CityState& city, Display& display) {
  WriteIndicatorTexts(city);
  MoveHistoryOn(city);
  WriteTrendTexts(city);
  Show(city, display);
}

}  // namespace townwright
