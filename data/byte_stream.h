#pragma once

// Numbers and texts as bytes and back, the same on every platform: whole numbers little-endian,
// floating-point numbers as their bit patterns (so every value, NaNs and negative zero included,
// comes back bit for bit), a text as its length in 32 bits and then its bytes. An array is its
// elements in order.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace townwright {

class ByteWriter {
 public:
  void operator()(std::uint8_t value) { Put(value, 1); }
  void operator()(std::uint16_t value) { Put(value, 2); }
  void operator()(std::uint32_t value) { Put(value, 4); }
  void operator()(std::uint64_t value) { Put(value, 8); }
  void operator()(float value);
  void operator()(double value);
  void operator()(std::string_view text);
  template <typename T, std::size_t N>
  void operator()(const std::array<T, N>& values) {
    for (const T& value : values) (*this)(value);
  }

  const std::string& bytes() const { return bytes_; }

 private:
  void Put(std::uint64_t value, int size);

  std::string bytes_;
};

// Reads what a ByteWriter wrote, in the same order. A read past the end marks the reader failed,
// for good, and what it read is then of no use.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  void operator()(std::uint8_t& value) { value = static_cast<std::uint8_t>(Take(1)); }
  void operator()(std::uint16_t& value) { value = static_cast<std::uint16_t>(Take(2)); }
  void operator()(std::uint32_t& value) { value = static_cast<std::uint32_t>(Take(4)); }
  void operator()(std::uint64_t& value) { value = Take(8); }
  void operator()(float& value);
  void operator()(double& value);
  void operator()(std::string& text);
  template <typename T, std::size_t N>
  void operator()(std::array<T, N>& values) {
    for (T& value : values) (*this)(value);
  }

  // Every read so far had its bytes.
  bool ok() const { return ok_; }
  // Every byte has been read, and every read had its bytes.
  bool finished() const { return ok_ && position_ == bytes_.size(); }

 private:
  // The next `size` bytes as a number; 0, and the reader failed, where there are fewer.
  std::uint64_t Take(int size);

  std::string_view bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace townwright
