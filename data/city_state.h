#pragma once

// The one record of a game: everything the game knows, and nothing of the window it is played in
// (the shell keeps that, in MainDialog). A game owns exactly one CityState and hands it by
// reference to every procedure that reads or writes it; there is no global instance, so a test can
// run many games side by side, and two records compare equal exactly when they hold the same game.
//
// Arrays have fixed bounds and are indexed from 0; the game uses index 1 upward and leaves index 0
// empty unless a field says otherwise.
//
// The rules (sim/) write the numbers, codes and lists. The texts the window shows (DayText,
// MonthName, YearText, IndicatorText, TrendText, ChoiceText) are written by the presentation
// (view/), which changes nothing else; the catalogue fill (data/catalogue.cc) only empties the
// choices' captions with their codes, before the first choices are drawn.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace townwright {

inline constexpr int kProjectCount = 31;     // projects 1..31
inline constexpr int kOccupationCount = 60;  // occupations 1..60
inline constexpr int kIndicatorCount = 8;    // indicators 1..8
inline constexpr int kChoiceButtons = 9;     // choices 1..9 have a button

// The arrays' fixed bounds: an array "0..N" has N + 1 elements.
template <typename T, std::size_t Bound>
using Indexed = std::array<T, Bound + 1>;
inline constexpr std::size_t kProjectBound = 64;           // per-project state, 0..64
inline constexpr std::size_t kCatalogueProjectBound = 32;  // the project catalogue, 0..32
inline constexpr std::size_t kOccupationBound = 64;        // head counts and occupations, 0..64
inline constexpr std::size_t kIndicatorBound = 9;          // indicator arrays, 0..9
inline constexpr std::size_t kHistorySlotBound = 31;       // indicator history slots, 0..31
inline constexpr std::size_t kChoiceBound = 16;            // choice arrays, 0..16

// A workforce cell stores 128 + the change in head count: 128 is no change, and a cell the
// catalogue does not list holds 0, which reads as -128.
inline constexpr int kNoWorkforceChange = 128;

// A truth value stored in the record, as ProjectCompleted holds it; false is 0.
inline constexpr double kTrue = -1;

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

  Indexed<Indexed<double, kIndicatorBound>, kHistorySlotBound> IndicatorHistory{};  // [slot][k]
  Indexed<double, kIndicatorBound> IndicatorRatio{};
  Indexed<std::string, kIndicatorBound> IndicatorText;
  Indexed<std::string, kIndicatorBound> TrendText;

  // Projects. A code string holds project P as the character with code 32 + P.
  Indexed<double, kProjectBound> ProjectProgress{};
  Indexed<double, kProjectBound> ProjectCompleted{};
  std::string PendingProjects;
  std::string ActiveProjects;
  std::string HaltedProjects;

  // Workforce: people per occupation 1..60.
  Indexed<std::uint32_t, kOccupationBound> Headcount{};

  // Catalogues, filled once by FillCatalogues and only read afterwards.
  Indexed<std::string, kCatalogueProjectBound> ProjectName;
  Indexed<double, kCatalogueProjectBound> ProjectCost{};
  // [occupation][project]: kNoWorkforceChange + the change in head count; 0 where none is listed.
  Indexed<Indexed<std::uint8_t, kCatalogueProjectBound>, kOccupationBound> ProjectWorkforceEffect{};
  Indexed<std::string, kOccupationBound> OccupationName;
  Indexed<double, kOccupationBound> OccupationWage{};
  Indexed<double, kOccupationBound> OccupationVolatility{};  // spread of the income, in percent

  // The choices on offer: captions, and codes as sim/choice_code.h spells them.
  Indexed<std::string, kChoiceBound> ChoiceText;
  Indexed<double, kChoiceBound> ChoiceCode{};
  std::uint8_t SelectedChoice = 0;

  friend bool operator==(const CityState&, const CityState&) = default;
};

// Indicator k (1..8) in the fixed order Treasury, Wealth, Cleanliness, Peacefulness, Census,
// Sustainability, VelocityOfMoney, QualityOfLife.
double& Indicator(CityState& city, int k);
double Indicator(const CityState& city, int k);

// The character that stands for project `project` in a code string, and back.
inline char ProjectCode(int project) { return static_cast<char>(32 + project); }
inline int ProjectOfCode(char code) { return static_cast<unsigned char>(code) - 32; }

}  // namespace townwright
