#include "data/record_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "data/catalogue.h"

namespace townwright {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(RecordBytesTest, EveryNumberComesBackBitForBit) {
  CityState city;
  FillCatalogues(city);
  const double awkward[] = {-0.0,
                            std::numeric_limits<double>::denorm_min(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN(),
                            0.1f,
                            1e308};
  double nan_with_payload = 0;
  const std::uint64_t payload_bits = 0x7FF4000000C0FFEE;
  std::memcpy(&nan_with_payload, &payload_bits, sizeof payload_bits);
  for (std::size_t i = 0; i < std::size(awkward); ++i) city.ProjectProgress[i] = awkward[i];
  city.Treasury = nan_with_payload;
  city.Year = -0.0f;
  city.Headcount[60] = 4294967168;  // -128 as the count holds it
  city.ChoiceText[9] = std::string("with a \0 inside", 15);

  ByteWriter out;
  WriteRecord(city, out);
  CityState read;
  FillCatalogues(read);
  ByteReader in(out.bytes());
  ReadRecord(in, read);
  EXPECT_TRUE(in.finished());
  for (std::size_t i = 0; i < std::size(awkward); ++i) {
    EXPECT_TRUE(SameBits(read.ProjectProgress[i], awkward[i])) << i;
  }
  EXPECT_TRUE(SameBits(read.Treasury, nan_with_payload));
  EXPECT_TRUE(std::signbit(read.Year));
  EXPECT_EQ(read.Headcount[60], 4294967168u);
  EXPECT_EQ(read.ChoiceText[9], city.ChoiceText[9]);

  // Cut short anywhere, the reading fails.
  for (const std::size_t cut :
       {std::size_t{0}, std::size_t{1}, out.bytes().size() / 2, out.bytes().size() - 1}) {
    CityState partial;
    ByteReader short_in(std::string_view(out.bytes()).substr(0, cut));
    ReadRecord(short_in, partial);
    EXPECT_FALSE(short_in.ok()) << cut;
  }
}

}  // namespace
}  // namespace townwright
