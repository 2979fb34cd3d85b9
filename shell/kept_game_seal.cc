#include "shell/kept_game_seal.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace townwright {
namespace {

// The format of the game's bytes, which every copy names: not the release, so that the next
// release, and an update of the page, goes on with the game a tab kept, unless the bytes changed.
constexpr std::string_view kFormat = "Townwright kept game 1";
// The same format, as the builds of 0.1.0 named it after their version.
constexpr std::string_view kFormatAsVersion010NamedIt = "Townwright 0.1.0 kept game 1";

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNoDigit = -1;
constexpr int kChecksumBytes = 8;

std::uint64_t Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// Eight bytes at a time, each word (little-endian, the last one filled up with zeros) mixed in
// by steps that are each one to one, so that damage within any one word always changes the sum;
// the length goes in first, so that a copy cut short sums otherwise too. Kept once an event, so
// quick rather than a byte at a time.
std::uint64_t Checksum(std::string_view bytes) {
  const auto mix = [](std::uint64_t sum, std::uint64_t word) {
    sum = (sum ^ word) * 0xBF58476D1CE4E5B9;  // an odd factor: one to one
    return sum ^ (sum >> 31);
  };
  std::uint64_t sum = 0x9E3779B97F4A7C15 ^ bytes.size();
  std::size_t at = 0;
  for (; at + 8 <= bytes.size(); at += 8) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < 8; ++i) word |= Byte(bytes, at + i) << (8 * i);
    sum = mix(sum, word);
  }
  if (at < bytes.size()) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; at + i < bytes.size(); ++i) word |= Byte(bytes, at + i) << (8 * i);
    sum = mix(sum, word);
  }
  return sum;
}

std::string Base64(std::string_view bytes) {
  std::string text((bytes.size() + 2) / 3 * 4, '=');
  char* out = text.data();
  const auto put = [&out](std::uint32_t group, int digits) {
    for (int i = 0; i < digits; ++i) *out++ = kAlphabet[group >> (18 - 6 * i) & 63];
  };
  std::size_t at = 0;
  for (; at + 3 <= bytes.size(); at += 3) {
    put(static_cast<std::uint32_t>(Byte(bytes, at) << 16 | Byte(bytes, at + 1) << 8 |
                                   Byte(bytes, at + 2)),
        4);
  }
  if (bytes.size() - at == 1) put(static_cast<std::uint32_t>(Byte(bytes, at) << 16), 2);
  if (bytes.size() - at == 2) {
    put(static_cast<std::uint32_t>(Byte(bytes, at) << 16 | Byte(bytes, at + 1) << 8), 3);
  }
  return text;
}

// Strict: only the form Base64 writes (whole groups, padding at the end alone, unused bits 0), so
// that a damaged character never reads as the same bytes.
std::optional<std::string> FromBase64(std::string_view text) {
  static const std::array<int, 256> digits = [] {
    std::array<int, 256> table{};
    table.fill(kNoDigit);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
      table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
    }
    return table;
  }();
  if (text.size() % 4 != 0) return std::nullopt;
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  std::string bytes(text.size() / 4 * 3 - padding, '\0');
  std::size_t written = 0;
  for (std::size_t at = 0; at < text.size(); at += 4) {
    const std::size_t digits_here = at + 4 == text.size() ? 4 - padding : 4;
    std::uint32_t group = 0;
    int invalid = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const int digit = i < digits_here ? digits[static_cast<unsigned char>(text[at + i])] : 0;
      invalid |= digit;  // kNoDigit is negative: its sign stays
      group = group << 6 | static_cast<std::uint32_t>(digit & 63);
    }
    if (invalid < 0) return std::nullopt;
    const std::size_t byte_count = digits_here - 1;
    if ((group & ((std::uint32_t{1} << (8 * (3 - byte_count))) - 1)) != 0) return std::nullopt;
    for (std::size_t i = 0; i < byte_count; ++i) {
      bytes[written++] = static_cast<char>(group >> (16 - 8 * i) & 0xFF);
    }
  }
  return bytes;
}

}  // namespace

std::string_view KeptGameFormat() { return kFormat; }

std::string SealKeptGame(std::string_view game, std::string_view format) {
  std::string bytes(1, static_cast<char>(std::min<std::size_t>(format.size(), 255)));
  bytes += format.substr(0, 255);
  bytes += game;
  const std::uint64_t checksum = Checksum(bytes);
  for (int i = 0; i < kChecksumBytes; ++i) bytes += static_cast<char>(checksum >> (8 * i) & 0xFF);
  return Base64(bytes);
}

std::optional<std::string> UnsealKeptGame(std::string_view text) {
  const std::optional<std::string> bytes = FromBase64(text);
  if (!bytes || bytes->size() < 1 + kChecksumBytes) return std::nullopt;
  const std::size_t body = bytes->size() - kChecksumBytes;
  std::uint64_t checksum = 0;
  for (int i = 0; i < kChecksumBytes; ++i) {
    checksum |= std::uint64_t{static_cast<unsigned char>((*bytes)[body + i])} << (8 * i);
  }
  if (checksum != Checksum(std::string_view(*bytes).substr(0, body))) return std::nullopt;
  const std::size_t name_length = static_cast<unsigned char>((*bytes)[0]);
  if (1 + name_length > body) return std::nullopt;
  const std::string_view format = std::string_view(*bytes).substr(1, name_length);
  if (format != kFormat && format != kFormatAsVersion010NamedIt) return std::nullopt;
  return bytes->substr(1 + name_length, body - 1 - name_length);
}

}  // namespace townwright
