#pragma once

// The one record of everything a running game knows. A game owns exactly one CityState and hands
// it by reference to every procedure that reads or writes it; there is no global instance, so a
// test can run many games side by side. Field names are the game's own design names.
//
// Arrays keep the design's fixed bounds and are indexed from 0; the game uses index 1 upward and
// leaves index 0 empty unless a field says otherwise.

#include <array>
#include <cstdint>
#include <string>

namespace townwright {

// An opaque handle to a window, a control or a font, as the window backend defines it; 0 is none.
using WindowHandle = std::uintptr_t;
using FontHandle = std::uintptr_t;

inline constexpr int kProjectCount = 31;     // projects 1..31
inline constexpr int kOccupationCount = 60;  // occupations 1..60
inline constexpr int kIndicatorCount = 8;    // indicators 1..8
inline constexpr int kChoiceButtons = 9;     // choices 1..9 have a button
inline constexpr int kHistorySlots = 31;     // history slots 1..31

// Truth values stored in the record.
inline constexpr double kTrue = -1;
inline constexpr double kFalse = 0;

struct CityState {
  // Calendar: one turn is one day, 27 days a month, 12 months a year.
  std::uint8_t Day = 0;
  std::uint8_t Month = 0;
  float Year = 0;
  std::string DayText;
  std::string MonthName;
  std::string YearText;

  // Money and taxes. Rates are fractions: 0.33 is 33 %.
  double Funds = 0;
  double IncomeTaxRate = 0;
  double SalesTaxRate = 0;
  double PropertyTaxRate = 0;
  double BuildStep = 0;

  // The eight indicators, in their fixed order, and the two figures of the information column.
  double Treasury = 0;
  double Wealth = 0;
  double Cleanliness = 0;
  double Peacefulness = 0;
  double Census = 0;
  double Sustainability = 0;
  double VelocityOfMoney = 0;
  double QualityOfLife = 0;
  double CitizensMonthly = 0;
  double Workforce = 0;

  std::array<std::array<double, 10>, 32> IndicatorHistory{};  // [slot 0..31][indicator 0..9]
  std::array<double, 10> IndicatorRatio{};
  std::array<std::string, 10> IndicatorText;
  std::array<std::string, 10> TrendText;

  // Projects. A code string holds project P as the character with code 32 + P.
  std::array<double, 65> ProjectProgress{};
  std::array<double, 65> ProjectCompleted{};
  std::string PendingProjects;
  std::string ActiveProjects;
  std::string HaltedProjects;

  // Workforce: people per occupation 1..60.
  std::array<std::uint32_t, 65> Headcount{};

  // Catalogues, filled once by FillCatalogues and only read afterwards.
  std::array<std::string, 33> ProjectName;
  std::array<double, 33> ProjectCost{};
  // [occupation 0..64][project 0..32]: 128 + the change in head count; 0 where nothing is listed.
  std::array<std::array<std::uint8_t, 33>, 65> ProjectWorkforceEffect{};
  std::array<std::string, 65> OccupationName;
  std::array<double, 65> OccupationWage{};
  std::array<double, 65> OccupationVolatility{};  // spread of the income, in percent

  // The choices on offer. Codes: -1 do nothing, P build, 1000 + P reactivate, 2000 + P halt.
  std::array<std::string, 17> ChoiceText;
  std::array<double, 17> ChoiceCode{};
  std::uint8_t SelectedChoice = 0;

  // The window.
  WindowHandle MainDialogHandle = 0;
  FontHandle YearFont = 0;
  WindowHandle SavedFocus = 0;
};

// Indicator k (1..8) in the fixed order Treasury, Wealth, Cleanliness, Peacefulness, Census,
// Sustainability, VelocityOfMoney, QualityOfLife.
double& Indicator(CityState& city, int k);
double Indicator(const CityState& city, int k);

// The character that stands for project `project` in a code string, and back.
inline char ProjectCode(int project) { return static_cast<char>(32 + project); }
inline int ProjectOfCode(char code) { return static_cast<unsigned char>(code) - 32; }

}  // namespace townwright
