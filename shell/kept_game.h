#pragma once

// The running game kept with the platform for the rest of its run (Platform::KeepGame), so that a
// run that the platform starts again on its own (a page the browser reloads, discards and
// restores, or loads again after its renderer crashed) goes on with the same game: the same text
// in every control, and the same next turn. The game is kept after every event the window
// handles; during a turn the copy is the game before that turn's press. This is no saved game:
// nothing of it outlives the run, and once the window has ended none is kept.
//
// What is kept: the record without its catalogues (data/record_bytes.h), the generator's state,
// and the text of every text box as the window shows it, the player's typing included (what the
// date boxes show before the first turn, and a rate typed but not applied, are in no record).
// Sealed as text by shell/kept_game_seal.h.

#include <string>

#include "data/city_state.h"
#include "data/random_source.h"
#include "shell/main_window.h"
#include "shell/platform.h"

namespace townwright {

// After an event: keeps the game as it stands with the platform, in place of the copy kept
// before; or, once the game has ended the window, keeps none. Nothing where the platform keeps
// no games.
// The copy KeepRunningGame keeps: the game as it stands, sealed as text.
std::string KeptCopy(const CityState& city, const GeneratorState& generator, Platform& platform);

void KeepRunningGame(const CityState& city, const MainDialog& window, const GameRandom& random,
                     Platform& platform);

// Brings back the game the platform kept in this run: fills `city` (catalogues included) and
// `random`, and builds the window showing what it showed. Returns false, having changed nothing
// and made no window, when there is nothing usable: no copy, or a copy that is damaged, cut short,
// from another release, or not a game the rules could have made.
bool ResumeKeptGame(CityState& city, MainDialog& window, GameRandom& random, Platform& platform);

}  // namespace townwright
