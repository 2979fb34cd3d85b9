#pragma once

// Everything the player does reaches the game here.

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/main_window.h"
#include "shell/platform.h"

namespace townwright {

// Handles one event of the main window. The focus is saved on deactivation and given back on
// activation. Commands act only with notification code 0 (a click) or 1: a choice button plays one
// turn, "Update Tax Rates" reads the three tax boxes into the rates, "Save", "Load" and "New"
// answer that they are not enabled, "Exit" ends the window with result 1. The window manager's
// close ends it with result 0. Everything else, typing included, changes nothing.
void MainDialogCallback(CityState& city, MainDialog& window, RandomSource& random,
                        Platform& platform, const WindowEvent& event);

// "Update Tax Rates": each tax box's text, read as a number, divided by 100; a missing box reads as
// the empty text, so the rate becomes 0.
void UpdateTaxRates(CityState& city, Platform& platform);

}  // namespace townwright
