// townwright-sim: plays Townwright without a screen and prints what the window would show after
// every turn, for testing, balancing and study.

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "data/random_source.h"
#include "townwright-sim/simulation.h"

namespace {

constexpr int kBadInput = 2;
constexpr int kOutputFailed = 1;

// `text` as a terminal may safely show it: every byte that is not printable ASCII as \xNN, so
// that a line feed or an escape sequence in an argument cannot reach the terminal as such.
std::string Printable(std::string_view text) {
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f) {
      shown += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown;
}

void Say(const std::string& what) { std::cerr << "townwright-sim: " << Printable(what) << '\n'; }

int Refuse(const std::string& why) {
  Say(why);
  return kBadInput;
}

// Writes `text` to stdout; a failed write (a full disk, a closed stdout) is said and reported.
int Print(const std::string& text) {
  std::cout << text << std::flush;
  if (std::cout) return 0;
  Say("cannot write to the standard output");
  return kOutputFailed;
}

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

// "--turns=" with nothing after the "=": CLI11 would take the next argument for a stray one.
std::optional<std::string> OptionWithoutValue(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--") break;
    if (argument.starts_with("--") && argument.ends_with('=') && argument.size() > 3) {
      return std::string(argument.substr(0, argument.size() - 1)) + " has no value";
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  namespace sim = townwright::sim_tool;
  CLI::App app{
      "Plays Townwright without a screen and prints, after every turn, what the window "
      "shows, as CSV."};
  app.name("townwright-sim");
  app.set_version_flag("--version", "townwright-sim " TOWNWRIGHT_VERSION);
  std::string seed_text;
  std::string turns_text = "100";
  std::string press_text = "1";
  sim::SimulationOptions options;
  app.add_option("--seed", seed_text,
                 "64-bit unsigned seed of the game's generator (default: the time of day, which "
                 "is then printed on stderr so that the game can be played again)");
  app.add_option("--turns", turns_text, "turns to play, at least 1")->capture_default_str();
  app.add_option("--press", press_text,
                 "comma-separated steps repeated until the turns are played: a button 1 to 9 "
                 "(one turn) or tax=INCOME/SALES/PROPERTY (types the three tax boxes and "
                 "presses \"Update Tax Rates\"); a tax text in double quotes may hold \",\" and "
                 "\"/\", with \"\" for a quote: tax=\"1,000\"/5/10")
      ->capture_default_str();
  std::string columns_text = "ids";
  std::string values_text = "texts";
  app.add_option("--columns", columns_text,
                 "how the header names the columns: ids (the controls' identifiers, 1011 to 1053) "
                 "or names (treasury, treasury_trend, income_tax, choice_1, day, ...)")
      ->check(CLI::IsMember({"ids", "names"}))
      ->capture_default_str();
  app.add_option("--values", values_text,
                 "what the rows hold: texts (as the window shows them, quoted) or numbers (plain "
                 "numbers: 1234 for \"$ 1,234\", 1.03 for \"UP 103%\", the month as 1 to 12; "
                 "the choices' captions stay quoted texts)")
      ->check(CLI::IsMember({"texts", "numbers"}))
      ->capture_default_str();

  if (const auto missing = OptionWithoutValue(argc, argv)) return Refuse(*missing);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return Print(app.help());
  } catch (const CLI::CallForVersion&) {
    return Print("townwright-sim " TOWNWRIGHT_VERSION "\n");
  } catch (const CLI::ParseError& e) {
    return Refuse(e.what());
  }

  options.columns =
      columns_text == "names" ? sim::ColumnNames::kNames : sim::ColumnNames::kIdentifiers;
  options.values = values_text == "numbers" ? sim::Values::kNumbers : sim::Values::kTexts;
  std::string error;
  const bool seed_chosen = seed_text.empty() && app.count("--seed") == 0;
  if (seed_chosen) {
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
  auto press = sim::ParsePressList(press_text);
  if (!press.error.empty()) return Refuse(press.error);
  options.steps = std::move(press.steps);

  if (seed_chosen) Say("seed " + std::to_string(options.seed));
  std::ios::sync_with_stdio(false);
  errno = 0;
  if (!sim::RunSimulation(options, std::cout)) {
    const int cause = errno;
    Say(std::string("cannot write to the standard output") +
        (cause != 0 ? std::string(": ") + std::strerror(cause) : ""));
    return kOutputFailed;
  }
  return 0;
}
