#include "view/indicator_panel.h"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "data/arithmetic.h"
#include "view/control_ids.h"
#include "view/number_format.h"

namespace townwright {
namespace {

constexpr int kDigits = 15;

std::string WholeFigure(double value) { return NumberToText(RoundDecimals(value, 0), kDigits); }

// "$" before the grouped text, so that the sign position follows it: "$ 1,234", "$-1,234".
std::string Money(const std::string& whole_figure) { return "$" + GroupThousands(whole_figure); }

std::string Trend(std::string_view prefix, double percent) {
  return std::string(prefix) + WholeFigure(percent) + '%';
}

// Against 0, not 1: an indicator that fell from 1000 to 900 still reads "UP 90%".
std::string Trend(double ratio) {
  return Trend(ratio > 0 ? "UP" : ratio < 0 ? "DN" : "", std::fabs(ratio) * Extended{100});
}

std::string Percentage(double rate) {
  return NumberToText(RoundDecimals(100 * Extended{rate}, 1), kDigits);
}

// Workforce is already a whole number.
std::string GroupedCount(double count) { return GroupThousands(NumberToText(count, kDigits)); }

// How each figure box shows its indicator's whole figure.
enum class FigureForm { kMoney, kGrouped, kPlain };

FigureForm FormOf(int k) {
  if (k == 1 || k == 2 || k == 7) return FigureForm::kMoney;
  return k == 5 ? FigureForm::kGrouped : FigureForm::kPlain;
}

std::string InForm(FigureForm form, const std::string& whole_figure) {
  switch (form) {
    case FigureForm::kMoney:
      return Money(whole_figure);
    case FigureForm::kGrouped:
      return GroupThousands(whole_figure);
    case FigureForm::kPlain:
      break;
  }
  return whole_figure;
}

void WriteIndicatorTexts(CityState& city) {
  for (int k = 1; k <= kIndicatorCount; ++k)
    city.IndicatorText[k] = WholeFigure(Indicator(city, k));
}

void WriteTrendTexts(CityState& city) {
  for (int k = 1; k <= kIndicatorCount; ++k) city.TrendText[k] = Trend(city.IndicatorRatio[k]);
}

void Show(CityState& city, Display& display) {
  using namespace control_id;
  // The grouped figures are kept as shown.
  for (int k = 1; k <= kIndicatorCount; ++k) {
    city.IndicatorText[k] = InForm(FormOf(k), city.IndicatorText[k]);
    display.RefreshControl(IndicatorBox(k), city.IndicatorText[k]);
  }
  for (int k = 1; k <= kIndicatorCount; ++k) {
    display.RefreshControl(TrendBox(k), city.TrendText[k]);
  }
  display.RefreshControl(kIncomeTaxBox, Percentage(city.IncomeTaxRate));
  display.RefreshControl(kSalesTaxBox, Percentage(city.SalesTaxRate));
  display.RefreshControl(kPropertyTaxBox, Percentage(city.PropertyTaxRate));
  display.RefreshControl(kCitizensMonthlyBox, Money(WholeFigure(city.CitizensMonthly)));
  display.RefreshControl(kWorkforceBox, GroupedCount(city.Workforce));
}

}  // namespace

void ShowIndicatorPanel(CityState& city, Display& display) {
  WriteIndicatorTexts(city);
  WriteTrendTexts(city);
  Show(city, display);
}

std::optional<LongestTexts> LongestFigureTexts(int box) {
  using namespace control_id;
  // The widest whole number the plain form holds, and the widest exponent form: 15 significant
  // digits, a three-digit exponent; both with a minus sign.
  constexpr double kLongestPlain = -999999999999999;
  constexpr double kLongestExponent = -std::numeric_limits<double>::max();
  const auto both = [](auto format) {
    return LongestTexts{format(kLongestPlain), format(kLongestExponent)};
  };
  for (int k = 1; k <= kIndicatorCount; ++k) {
    if (box == IndicatorBox(k)) {
      return both([k](double value) { return InForm(FormOf(k), WholeFigure(value)); });
    }
    if (box == TrendBox(k)) return both([](double value) { return Trend("DN", -value); });
  }
  if (box == kCitizensMonthlyBox)
    return both([](double value) { return Money(WholeFigure(value)); });
  if (box == kWorkforceBox) return both(GroupedCount);
  return std::nullopt;
}

}  // namespace townwright
