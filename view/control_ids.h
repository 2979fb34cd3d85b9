#pragma once

// The identifiers of the main window's 56 controls, by name. shell/control_table.cc lays each one
// out (kind, place, first text, accessible name); everything else names controls through these.

namespace townwright::control_id {

inline constexpr int kDetailsFrame = 1001;
inline constexpr int kTreasuryHeading = 1002;
inline constexpr int kWealthHeading = 1003;
inline constexpr int kCleanlinessHeading = 1004;
inline constexpr int kPeacefulnessHeading = 1005;
inline constexpr int kCensusHeading = 1006;
inline constexpr int kSustainabilityHeading = 1007;
inline constexpr int kVelocityOfMoneyHeading = 1008;
inline constexpr int kQualityOfLifeHeading = 1009;
inline constexpr int kProjectsFrame = 1010;
inline constexpr int kFirstChoiceButton = 1011;  // choice k (1..9) is 1010 + k
inline constexpr int kLastChoiceButton = 1019;
inline constexpr int kInformationFrame = 1020;
inline constexpr int kCitizensMonthlyHeading = 1021;
inline constexpr int kTaxTablesFrame = 1023;  // 1022 is not used
inline constexpr int kIncomeTaxHeading = 1024;
inline constexpr int kSalesTaxHeading = 1025;
inline constexpr int kPropertyTaxHeading = 1026;
inline constexpr int kUpdateTaxRates = 1027;
inline constexpr int kWorkforceHeading = 1028;
inline constexpr int kTreasuryBox = 1029;  // indicator k (1..8) is 1028 + k
inline constexpr int kWealthBox = 1030;
inline constexpr int kCleanlinessBox = 1031;
inline constexpr int kPeacefulnessBox = 1032;
inline constexpr int kCensusBox = 1033;
inline constexpr int kSustainabilityBox = 1034;
inline constexpr int kVelocityOfMoneyBox = 1035;
inline constexpr int kQualityOfLifeBox = 1036;
inline constexpr int kTreasuryTrendBox = 1037;  // the trend of indicator k is 1036 + k
inline constexpr int kWealthTrendBox = 1038;
inline constexpr int kCleanlinessTrendBox = 1039;
inline constexpr int kPeacefulnessTrendBox = 1040;
inline constexpr int kCensusTrendBox = 1041;
inline constexpr int kSustainabilityTrendBox = 1042;
inline constexpr int kVelocityOfMoneyTrendBox = 1043;
inline constexpr int kQualityOfLifeTrendBox = 1044;
inline constexpr int kCitizensMonthlyBox = 1045;
inline constexpr int kIncomeTaxBox = 1046;
inline constexpr int kSalesTaxBox = 1047;
inline constexpr int kPropertyTaxBox = 1048;
inline constexpr int kWorkforceBox = 1049;
inline constexpr int kDateFrame = 1050;
inline constexpr int kMonthBox = 1051;
inline constexpr int kYearBox = 1052;
inline constexpr int kDayBox = 1053;
inline constexpr int kSave = 1054;
inline constexpr int kExit = 1055;
inline constexpr int kLoad = 1056;
inline constexpr int kNew = 1057;

// Every identifier above lies in kFirstId..kLastId, so that a window may keep its controls in an
// array of kIdCount, indexed by id - kFirstId.
inline constexpr int kFirstId = kDetailsFrame;
inline constexpr int kLastId = kNew;
inline constexpr int kIdCount = kLastId - kFirstId + 1;
constexpr bool IsControlId(int id) { return id >= kFirstId && id <= kLastId; }

// The commands a dialog sends for the Enter and Escape keys; no control has them.
inline constexpr int kEnterKeyCommand = 1;
inline constexpr int kEscapeKeyCommand = 2;

constexpr int ChoiceButton(int k) { return kFirstChoiceButton + k - 1; }
constexpr int IndicatorBox(int k) { return kTreasuryBox + k - 1; }
constexpr int TrendBox(int k) { return kTreasuryTrendBox + k - 1; }

}  // namespace townwright::control_id
