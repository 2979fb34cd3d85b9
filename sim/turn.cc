#include "sim/turn.h"

#include "sim/calendar.h"
#include "sim/decision.h"
#include "sim/economy.h"
#include "sim/status_sort.h"
#include "sim/workforce.h"
#include "view/indicator_panel.h"
#include "view/project_list.h"

namespace townwright {

void PlayTurn(CityState& city, RandomSource& random, Display& display) {
  AdvanceCalendar(city, display);
  ApplyDecision(city, random);
  // Uses the lists the previous turn left: a project the decision just completed still counts.
  ShiftWorkforce(city);
  SortProjects(city);
  RebuildChoices(city, random, display);
  UpdateEconomy(city, random);
  RefreshIndicatorPanel(city, display);
}

}  // namespace townwright
