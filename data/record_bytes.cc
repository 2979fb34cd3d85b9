#include "data/record_bytes.h"

namespace townwright {
namespace {

// Every field but the catalogues, in one order for writing and reading alike. A field added to the
// record belongs here too (the round trip of a whole game's record fails without it), and changes
// the kept copy's format.
template <typename Record, typename Visit>
void VisitFields(Record& city, Visit& visit) {
  visit(city.Day);
  visit(city.Month);
  visit(city.Year);
  visit(city.DayText);
  visit(city.MonthName);
  visit(city.YearText);
  visit(city.Funds);
  visit(city.IncomeTaxRate);
  visit(city.SalesTaxRate);
  visit(city.PropertyTaxRate);
  visit(city.BuildStep);
  visit(city.Treasury);
  visit(city.Wealth);
  visit(city.Cleanliness);
  visit(city.Peacefulness);
  visit(city.Census);
  visit(city.Sustainability);
  visit(city.VelocityOfMoney);
  visit(city.QualityOfLife);
  visit(city.CitizensMonthly);
  visit(city.Workforce);
  visit(city.IndicatorHistory);
  visit(city.IndicatorRatio);
  visit(city.IndicatorText);
  visit(city.TrendText);
  visit(city.ProjectProgress);
  visit(city.ProjectCompleted);
  visit(city.PendingProjects);
  visit(city.ActiveProjects);
  visit(city.HaltedProjects);
  visit(city.Headcount);
  visit(city.ChoiceText);
  visit(city.ChoiceCode);
  visit(city.SelectedChoice);
}

}  // namespace

void WriteRecord(const CityState& city, ByteWriter& out) { VisitFields(city, out); }

void ReadRecord(ByteReader& in, CityState& city) { VisitFields(city, in); }

}  // namespace townwright
