#pragma once

// The kept copy of a running game as the text a platform stores: the release that wrote it, the
// game's bytes and a checksum, the whole in base64. Only the release that wrote a copy reads it:
// a copy from another release, or damaged, or cut short, reads as none.
//
// Layout, before base64 (standard alphabet, padded):
//   1 byte       n, the length of the release's name
//   n bytes      the release's name, KeptGameRelease()
//   ...          the game's bytes (shell/kept_game.cc)
//   8 bytes      a 64-bit checksum of everything before it, little-endian

#include <optional>
#include <string>
#include <string_view>

namespace townwright {

// This build's release as a kept copy names it: the version and the format of the game's bytes,
// "Townwright 0.1.0 kept game 1".
std::string_view KeptGameRelease();

// The text of a kept copy holding `game`, written by `release`.
std::string SealKeptGame(std::string_view game, std::string_view release = KeptGameRelease());

// The game's bytes from a kept copy's text, or nothing unless the text is a whole, undamaged copy
// written by this release.
std::optional<std::string> UnsealKeptGame(std::string_view text);

}  // namespace townwright
