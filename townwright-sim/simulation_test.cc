#include "townwright-sim/simulation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace townwright::sim_tool {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Simulate(std::uint64_t seed, std::uint64_t turns, const char* press) {
  SimulationOptions options{seed, turns, ParsePressList(press).steps};
  std::ostringstream out;
  EXPECT_TRUE(RunSimulation(options, out));
  return out.str();
}

TEST(SimulationTest, WritesAHeaderAndOneQuotedRowPerTurn) {
  const std::string csv = Simulate(1, 3, "1");
  const auto lines = Lines(csv);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(csv.back(), '\n');
  EXPECT_EQ(csv.find('\r'), std::string::npos);
  EXPECT_EQ(lines[0].substr(0, 32), "turn,pressed,1011,1012,1013,1014");
  EXPECT_TRUE(lines[0].ends_with(",1048,1049,1051,1052,1053"));
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 34);
  EXPECT_TRUE(lines[1].starts_with("1,1,\"do nothing (except collect taxes)\",\"")) << lines[1];
  EXPECT_TRUE(lines[3].ends_with(",\"January\",\" 2008\",\" 4\"")) << lines[3];
}

TEST(SimulationTest, TaxStepsTypeIntoTheBoxesOnceTheyExist) {
  // Before the first turn the boxes are missing: the rates all become 0.
  const auto lines = Lines(Simulate(1, 2, "tax=25/5/10,1"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[1].find("\" 0\",\" 0\",\" 0\""), std::string::npos);
  EXPECT_NE(lines[2].find("\" 25\",\" 5\",\" 10\""), std::string::npos);
}

TEST(SimulationTest, QuotesEveryTextAndDoublesQuotesInside) {
  EXPECT_EQ(CsvQuoted(""), "\"\"");
  EXPECT_EQ(CsvQuoted("Women's Health Center"), "\"Women's Health Center\"");
  EXPECT_EQ(CsvQuoted("say \"hi\", twice"), "\"say \"\"hi\"\", twice\"");
}

TEST(SimulationTest, PlainNumbersAndColumnNamesForStudy) {
  const std::pair<const char*, const char*> figures[] = {
      {"$ 1,234", "1234"}, {"$-1,234,567", "-1234567"},
      {" 12345", "12345"}, {" .5", "0.5"},
      {"-.25", "-0.25"},   {"$ 1E+15", "1E+15"},
      {"UP 103%", "1.03"}, {"DN 50%", "-0.5"},
      {" 0%", "0"},        {"UP 1.5E+20%", "1.5e+18"},
      {"$ Inf", "inf"},    {"DN Inf%", "-inf"},
      {" NaN%", "nan"},    {"abc", ""}};
  for (const auto& [shown, plain] : figures) EXPECT_EQ(PlainNumber(shown), plain) << shown;
  EXPECT_EQ(ColumnName("Citizen's Monthly"), "citizens_monthly");
  EXPECT_EQ(ColumnName("Velocity of Money trend"), "velocity_of_money_trend");
  EXPECT_EQ(ColumnName("Choice 7"), "choice_7");
}

TEST(SimulationTest, TheSameSeedAndStepsPrintTheSameBytes) {
  EXPECT_EQ(Simulate(77, 40, "1,2,3,tax=30/5/10"), Simulate(77, 40, "1,2,3,tax=30/5/10"));
  EXPECT_NE(Simulate(77, 40, "1,2,3"), Simulate(78, 40, "1,2,3"));
}

}  // namespace
}  // namespace townwright::sim_tool
