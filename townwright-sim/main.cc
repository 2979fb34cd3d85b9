// townwright-sim: plays Townwright without a screen and prints what the window would show after
// every turn, for testing, balancing and benchmarking.

#include <CLI/CLI.hpp>
#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>

#include "data/random_source.h"
#include "townwright-sim/simulation.h"

namespace {

constexpr int kBadInput = 2;

// A whole decimal number in `text`, all of it; an error message naming `option` otherwise.
std::optional<std::uint64_t> ParseCount(const std::string& text, const std::string& option,
                                        std::string& error) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec == std::errc::result_out_of_range ||
      (text.size() > 1 && text[0] == '-' &&
       text.find_first_not_of("0123456789", 1) == std::string::npos)) {
    error = option + ": " + text + " is out of range (0 to 18446744073709551615)";
    return std::nullopt;
  }
  if (ec != std::errc() || end != text.data() + text.size()) {
    error = option + ": \"" + text + "\" is not a whole number";
    return std::nullopt;
  }
  return value;
}

int Refuse(const std::string& why) {
  std::cerr << "townwright-sim: " << why << '\n';
  return kBadInput;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Plays Townwright without a screen and prints, after every turn, what the window "
      "shows, as CSV."};
  app.name("townwright-sim");
  app.set_version_flag("--version", "townwright-sim " TOWNWRIGHT_VERSION);
  std::string seed_text;
  std::string turns_text = "100";
  std::string press_text = "1";
  app.add_option("--seed", seed_text,
                 "64-bit unsigned seed of the game's generator (default: the time of day)");
  app.add_option("--turns", turns_text, "turns to play, at least 1")->capture_default_str();
  app.add_option("--press", press_text,
                 "comma-separated steps repeated until the turns are played: a button 1 to 9 "
                 "(one turn) or tax=INCOME/SALES/PROPERTY (types the three tax boxes and "
                 "presses \"Update Tax Rates\")")
      ->capture_default_str();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return 0;
  } catch (const CLI::CallForVersion&) {
    std::cout << "townwright-sim " TOWNWRIGHT_VERSION "\n";
    return 0;
  } catch (const CLI::ParseError& e) {
    return Refuse(e.what());
  }

  townwright::sim_tool::SimulationOptions options;
  std::string error;
  if (seed_text.empty() && app.count("--seed") == 0) {
    options.seed = townwright::SeedFromTimeOfDay();
  } else if (const auto seed = ParseCount(seed_text, "--seed", error)) {
    options.seed = *seed;
  } else {
    return Refuse(error);
  }
  const auto turns = ParseCount(turns_text, "--turns", error);
  if (!turns) return Refuse(error);
  if (*turns < 1) return Refuse("--turns: at least 1 turn must be played");
  options.turns = *turns;
  auto press = townwright::sim_tool::ParsePressList(press_text);
  if (!press.error.empty()) return Refuse(press.error);
  options.steps = std::move(press.steps);

  std::ios::sync_with_stdio(false);
  townwright::sim_tool::RunSimulation(options, std::cout);
  std::cout.flush();
  return std::cout ? 0 : 1;
}
