#pragma once

#include <cstddef>

namespace dwelvane {

// The counts of a block of bytes, each byte tested with the byte after it.
struct ByteCounts {
  std::size_t line_ends = 0;  // LF, zero bytes, and CRs without an LF after them
  std::size_t skipped = 0;    // spaces and line ends
  bool candidates = false;    // a "." before a "T"
};

// The most bytes CountBytePairs takes at once: 32 lanes a round, each counting in a byte,
// at most 255 rounds.
inline constexpr std::size_t kByteCountBlock = 255 * 32;

// Counts [bytes, bytes + size), size at most kByteCountBlock; bytes[size] must be readable,
// as the byte after the last. 32 bytes at a time where the processor has AVX2.
ByteCounts CountBytePairs(const unsigned char* bytes, std::size_t size);

}  // namespace dwelvane
