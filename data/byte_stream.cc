#include "data/byte_stream.h"

#include <cstring>

namespace townwright {
namespace {

// The bit pattern of a number of the same size; memcpy rather than std::bit_cast, which the web
// build's older library lacks.
template <typename To, typename From>
To BitsOf(From from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace

void ByteWriter::Put(std::uint64_t value, int size) {
  char bytes[8];
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(value >> (8 * i) & 0xFF);
  bytes_.append(bytes, static_cast<std::size_t>(size));
}

void ByteWriter::operator()(float value) { (*this)(BitsOf<std::uint32_t>(value)); }

void ByteWriter::operator()(double value) { (*this)(BitsOf<std::uint64_t>(value)); }

void ByteWriter::operator()(std::string_view text) {
  (*this)(static_cast<std::uint32_t>(text.size()));
  bytes_ += text;
}

void ByteWriter::Each(const std::uint32_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(values[i]);
}

void ByteWriter::Each(const std::uint64_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(values[i]);
}

void ByteWriter::Each(const double* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(values[i]);
}

void ByteWriter::Each(const std::string* texts, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(texts[i]);
}

std::uint64_t ByteReader::Take(int size) {
  const auto count = static_cast<std::size_t>(size);
  if (!ok_ || bytes_.size() - position_ < count) {
    ok_ = false;
    return 0;
  }
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) {
    value |= std::uint64_t{static_cast<unsigned char>(bytes_[position_ + i])} << (8 * i);
  }
  position_ += count;
  return value;
}

void ByteReader::operator()(float& value) {
  std::uint32_t bits = 0;
  (*this)(bits);
  if (ok_) value = BitsOf<float>(bits);
}

void ByteReader::operator()(double& value) {
  std::uint64_t bits = 0;
  (*this)(bits);
  if (ok_) value = BitsOf<double>(bits);
}

void ByteReader::operator()(std::string& text) {
  std::uint32_t length = 0;
  (*this)(length);
  // A length beyond the bytes left is damage: refused before anything is allocated for it.
  if (!ok_ || bytes_.size() - position_ < length) {
    ok_ = false;
    return;
  }
  text.assign(bytes_.substr(position_, length));
  position_ += length;
}

void ByteReader::Each(std::uint32_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(values[i]);
}

void ByteReader::Each(std::uint64_t* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(values[i]);
}

void ByteReader::Each(double* values, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(values[i]);
}

void ByteReader::Each(std::string* texts, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) (*this)(texts[i]);
}

}  // namespace townwright
