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
#include "shell/platform.h"

namespace townwright {

// The copy the session keeps (GameSession::KeepRunningGame): the game as it stands, sealed as
// text. The session brings a copy back only where it is sound: not damaged, not cut short, in this
// format, and a game the rules could have made.
std::string KeptCopy(const CityState& city, const GeneratorState& generator, Platform& platform);

}  // namespace townwright
