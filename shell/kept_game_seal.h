#pragma once

// The kept copy of a running game as the text a platform stores: the format of the game's bytes,
// the bytes and a checksum, the whole in base64. A release reads every copy written in its own
// format, so that an update of the page goes on with the game its tab kept; a copy in another
// format, or damaged, or cut short, reads as none.
//
// Layout, before base64 (standard alphabet, padded):
//   1 byte       n, the length of the format's name
//   n bytes      the format's name, KeptGameFormat()
//   ...          the game's bytes (shell/kept_game.cc)
//   8 bytes      a 64-bit checksum of everything before it, little-endian

#include <optional>
#include <string>
#include <string_view>

namespace townwright {

// The name of the format this build writes and reads, "Townwright kept game 1". Its number
// changes whenever the game's bytes are laid out anew or mean something else.
std::string_view KeptGameFormat();

// The text of a kept copy holding `game`, in the format named `format`.
std::string SealKeptGame(std::string_view game, std::string_view format = KeptGameFormat());

// The game's bytes from a kept copy's text, or nothing unless the text is a whole, undamaged copy
// in this build's format.
std::optional<std::string> UnsealKeptGame(std::string_view text);

}  // namespace townwright
