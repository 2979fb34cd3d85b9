#include "same_game.h"

#include "data/record_bytes.h"

namespace townwright::testing {
namespace {

std::string RecordBytes(const CityState& city) {
  ByteWriter out;
  WriteRecord(city, out);
  return out.bytes();
}

}  // namespace

std::string FindDifference(const HeadlessGame& game, const HeadlessGame& expected) {
  if (RecordBytes(game.city()) != RecordBytes(expected.city())) return "the records differ";
  if (!(game.random().state() == expected.random().state())) return "the generators differ";
  const auto& controls = game.platform().controls();
  const auto& expected_controls = expected.platform().controls();
  if (controls.size() != expected_controls.size()) {
    return std::to_string(controls.size()) + " controls instead of " +
           std::to_string(expected_controls.size());
  }
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const auto& c = controls[i];
    const auto& e = expected_controls[i];
    if (c.id != e.id || c.kind != e.kind || !(c.place == e.place) || c.font != e.font) {
      return "control " + std::to_string(i) + " is " + std::to_string(c.id) + " instead of " +
             std::to_string(e.id) + ", or made or placed otherwise";
    }
    if (c.text != e.text || c.accessible_name != e.accessible_name) {
      return "control " + std::to_string(c.id) + " shows \"" + c.text + "\" (\"" +
             c.accessible_name + "\") instead of \"" + e.text + "\" (\"" + e.accessible_name +
             "\")";
    }
  }
  return "";
}

}  // namespace townwright::testing
