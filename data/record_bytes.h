#pragma once

// The record of a game as bytes and back, for keeping a running game: every field but the
// catalogues, which FillCatalogues makes anew and which are the same in every game.

#include "data/byte_stream.h"
#include "data/city_state.h"

namespace townwright {

// Writes every field of `city` but the catalogues, bit for bit.
void WriteRecord(const CityState& city, ByteWriter& out);

// Reads what WriteRecord wrote into `city`, whose catalogues are left as they are. Whether the
// bytes were all there is the reader's ok(); `city` is of no use when they were not.
void ReadRecord(ByteReader& in, CityState& city);

}  // namespace townwright
