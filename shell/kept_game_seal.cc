#include "shell/kept_game_seal.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace townwright {
namespace {

// The version, and the format of the game's bytes, whose number changes whenever they are laid out
// anew or mean something else, so that no build reads another's copy even where the version stays
// (between releases). One literal, which the page's test of a next release finds in the module.
constexpr std::string_view kRelease = "Townwright " TOWNWRIGHT_VERSION " kept game 1";

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNoDigit = -1;
constexpr int kChecksumBytes = 8;

std::uint64_t Checksum(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325;  // FNV-1a's offset basis and prime
  for (const char byte : bytes) {
    hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001B3;
  }
  return hash;
}

std::string Base64(std::string_view bytes) {
  std::string text((bytes.size() + 2) / 3 * 4, '=');
  char* out = text.data();
  for (std::size_t at = 0; at < bytes.size(); at += 3, out += 4) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < 3; ++i) {
      group = group << 8 | (i < count ? static_cast<unsigned char>(bytes[at + i]) : 0u);
    }
    for (std::size_t i = 0; i <= count; ++i) out[i] = kAlphabet[group >> (18 - 6 * i) & 63];
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
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t at = 0; at < text.size(); at += 4) {
    const bool last = at + 4 == text.size();
    std::size_t padding = 0;
    if (last && text[at + 3] == '=') padding = text[at + 2] == '=' ? 2 : 1;
    std::uint32_t group = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      const int digit = i < 4 - padding ? digits[static_cast<unsigned char>(text[at + i])] : 0;
      if (digit == kNoDigit) return std::nullopt;
      group = group << 6 | static_cast<std::uint32_t>(digit);
    }
    const std::uint32_t unused_bits = (std::uint32_t{1} << (8 * padding)) - 1;
    if ((group & unused_bits) != 0) return std::nullopt;
    for (std::size_t i = 0; i < 3 - padding; ++i) {
      bytes += static_cast<char>(group >> (16 - 8 * i) & 0xFF);
    }
  }
  return bytes;
}

}  // namespace

std::string_view KeptGameRelease() { return kRelease; }

std::string SealKeptGame(std::string_view game, std::string_view release) {
  std::string bytes(1, static_cast<char>(std::min<std::size_t>(release.size(), 255)));
  bytes += release.substr(0, 255);
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
  if (1 + name_length > body ||
      std::string_view(*bytes).substr(1, name_length) != KeptGameRelease()) {
    return std::nullopt;
  }
  return bytes->substr(1 + name_length, body - 1 - name_length);
}

}  // namespace townwright
