#pragma once

// Identifiers of the main window's controls that the turn writes to or the player acts on.

namespace townwright::control_id {

inline constexpr int kFirstChoiceButton = 1011;  // choice k (1..9) is 1010 + k
inline constexpr int kUpdateTaxRates = 1027;
inline constexpr int kFirstIndicatorBox = 1029;  // indicator k (1..8) is 1028 + k
inline constexpr int kFirstTrendBox = 1037;      // the trend of indicator k is 1036 + k
inline constexpr int kCitizensMonthlyBox = 1045;
inline constexpr int kIncomeTaxBox = 1046;
inline constexpr int kSalesTaxBox = 1047;
inline constexpr int kPropertyTaxBox = 1048;
inline constexpr int kWorkforceBox = 1049;
inline constexpr int kMonthBox = 1051;
inline constexpr int kYearBox = 1052;
inline constexpr int kDayBox = 1053;
inline constexpr int kSave = 1054;
inline constexpr int kExit = 1055;
inline constexpr int kLoad = 1056;
inline constexpr int kNew = 1057;

}  // namespace townwright::control_id
