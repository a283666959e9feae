#include "runtime/keyed_hash.h"

#include <bit>
#include <cstring>
#include <random>

namespace dwelvane {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// The high bit of each byte of `word` that equals `byte`.
constexpr std::uint64_t BytesEqualTo(std::uint64_t word, unsigned char byte) {
  const std::uint64_t differs = word ^ (kOnes * byte);
  return ~(((differs & kLow7) + kLow7) | differs) & kHighBits;
}

// Eight bytes at once: an ASCII capital has its high bit clear, its low seven bits at
// least 'A' and at most 'Z'.
constexpr std::uint64_t LowerAsciiWord(std::uint64_t word) {
  const std::uint64_t low = word & kLow7;
  const std::uint64_t from_a = low + kOnes * (0x80 - 'A');
  const std::uint64_t beyond_z = low + kOnes * (0x80 - 'Z' - 1);
  return word | ((from_a & ~beyond_z & ~word & kHighBits) >> 2);
}

constexpr std::uint64_t FoldWord(std::uint64_t word, HashFold fold) {
  switch (fold) {
    case HashFold::kNone:
      return word;
    case HashFold::kAsciiCase:
      return LowerAsciiWord(word);
    case HashFold::kFileName:
      return LowerAsciiWord(word ^ ((BytesEqualTo(word, '\\') >> 7) * ('\\' ^ '/')));
  }
  return word;
}

struct Key {
  std::uint64_t k0;
  std::uint64_t k1;
};

Key DrawKey() {
  std::random_device device;
  const auto draw64 = [&] {
    return (static_cast<std::uint64_t>(device()) << 32) ^ static_cast<std::uint64_t>(device());
  };
  return {draw64(), draw64()};
}

const Key& ProcessKey() {
  static const Key key = DrawKey();
  return key;
}

struct SipState {
  std::uint64_t v0, v1, v2, v3;

  void Round() {
    v0 += v1;
    v1 = std::rotl(v1, 13);
    v1 ^= v0;
    v0 = std::rotl(v0, 32);
    v2 += v3;
    v3 = std::rotl(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = std::rotl(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = std::rotl(v1, 17);
    v1 ^= v2;
    v2 = std::rotl(v2, 32);
  }

  void Absorb(std::uint64_t word) {
    v3 ^= word;
    Round();
    v0 ^= word;
  }
};

}  // namespace

std::uint64_t KeyedHash(std::string_view text, HashFold fold) {
  const Key& key = ProcessKey();
  SipState state{key.k0 ^ 0x736F6D6570736575ULL, key.k1 ^ 0x646F72616E646F6DULL,
                 key.k0 ^ 0x6C7967656E657261ULL, key.k1 ^ 0x7465646279746573ULL};
  const char* bytes = text.data();
  std::size_t left = text.size();
  for (; left >= 8; bytes += 8, left -= 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    state.Absorb(FoldWord(word, fold));
  }
  std::uint64_t last = 0;
  // An empty view may have no bytes at all to copy from, not even none.
  if (left > 0) {
    std::memcpy(&last, bytes, left);
  }
  state.Absorb(FoldWord(last, fold) | (static_cast<std::uint64_t>(text.size()) << 56));
  state.v2 ^= 0xFF;
  state.Round();
  state.Round();
  state.Round();
  return state.v0 ^ state.v1 ^ state.v2 ^ state.v3;
}

}  // namespace dwelvane
