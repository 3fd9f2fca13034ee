#pragma once
// The next of a few bytes in a text, eight bytes at a time: the writer spends most of its time
// between the bytes it must escape.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace orv {

static_assert(std::endian::native == std::endian::little, "the word scan reads bytes in order");

// The first position at or after `from` that holds a, b or c; text.size() when there is none.
inline size_t FindAnyOf(std::string_view text, size_t from, char a, char b, char c) {
  constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  // The lowest flagged byte of a word is its lowest zero byte; flags above it may be false.
  const auto zeroBytes = [](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  const uint64_t wa = kOnes * uint8_t(a), wb = kOnes * uint8_t(b), wc = kOnes * uint8_t(c);
  const char* s = text.data();
  size_t i = from;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, s + i, 8);
    const uint64_t hits = zeroBytes(word ^ wa) | zeroBytes(word ^ wb) | zeroBytes(word ^ wc);
    if (hits) return i + static_cast<size_t>(std::countr_zero(hits)) / 8;
  }
  for (; i < text.size(); ++i)
    if (s[i] == a || s[i] == b || s[i] == c) return i;
  return text.size();
}

}  // namespace orv
