#include "shell/turn.h"

#include "sim/calendar.h"
#include "sim/choices.h"
#include "sim/decision.h"
#include "sim/economy.h"
#include "sim/indicator_history.h"
#include "sim/status_sort.h"
#include "sim/workforce.h"
#include "view/choice_buttons.h"
#include "view/date_display.h"
#include "view/indicator_panel.h"

namespace townwright {

void PlayTurn(CityState& city, RandomSource& random, Display& display) {
  AdvanceCalendar(city);
  ShowDate(city, display);
  ApplyDecision(city, random);
  // Uses the lists the previous turn left: a project the decision just completed still counts.
  ShiftWorkforce(city);
  SortProjects(city);
  OfferChoices(city, random, display);
  UpdateEconomy(city, random);
  AdvanceIndicatorHistory(city);
  ShowIndicatorPanel(city, display);
}

void OfferChoices(CityState& city, RandomSource& random, Display& display) {
  ShowChoices(city, DrawChoices(city, random), display);
}

}  // namespace townwright
