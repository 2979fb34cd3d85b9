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
  // Room for `expected` bytes at once, so that writing them grows nothing.
  explicit ByteWriter(std::size_t expected = 0) { bytes_.reserve(expected); }

  void operator()(std::uint8_t value) { Put(value, 1); }
  void operator()(std::uint16_t value) { Put(value, 2); }
  void operator()(std::uint32_t value) { Put(value, 4); }
  void operator()(std::uint64_t value) { Put(value, 8); }
  void operator()(float value);
  void operator()(double value);
  void operator()(std::string_view text);
  template <typename T, std::size_t N>
  void operator()(const std::array<T, N>& values) {
    Each(values.data(), N);
  }

  const std::string& bytes() const { return bytes_; }

 private:
  void Put(std::uint64_t value, int size);
  // The elements of an array in turn, each kind written by one loop rather than by a copy for
  // every array's length: the page downloads every byte of the code.
  void Each(const std::uint32_t* values, std::size_t count);
  void Each(const std::uint64_t* values, std::size_t count);
  void Each(const double* values, std::size_t count);
  void Each(const std::string* texts, std::size_t count);
  template <typename T, std::size_t N>
  void Each(const std::array<T, N>* rows, std::size_t count) {
    for (std::size_t row = 0; row < count; ++row) Each(rows[row].data(), N);
  }

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
    Each(values.data(), N);
  }

  // Every read so far had its bytes.
  bool ok() const { return ok_; }
  // Every byte has been read, and every read had its bytes.
  bool finished() const { return ok_ && position_ == bytes_.size(); }

 private:
  // The next `size` bytes as a number; 0, and the reader failed, where there are fewer.
  std::uint64_t Take(int size);
  // As ByteWriter's.
  void Each(std::uint32_t* values, std::size_t count);
  void Each(std::uint64_t* values, std::size_t count);
  void Each(double* values, std::size_t count);
  void Each(std::string* texts, std::size_t count);
  template <typename T, std::size_t N>
  void Each(std::array<T, N>* rows, std::size_t count) {
    for (std::size_t row = 0; row < count; ++row) Each(rows[row].data(), N);
  }

  std::string_view bytes_;
  std::size_t position_ = 0;
  bool ok_ = true;
};

}  // namespace townwright
