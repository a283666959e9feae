#include "statistics/byte_pair_counts.h"

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace dwelvane {
namespace {

// Counts in byte-wide counters, at most 255 bytes at a time so that they can't overflow;
// the compiler tests a vector register's width of bytes at once.
void AddBytePairCounts(const unsigned char* bytes, std::size_t size, ByteCounts& counts) {
  constexpr std::size_t kByteCounterLimit = 255;
  for (std::size_t start = 0; start < size; start += kByteCounterLimit) {
    const std::size_t stop = std::min(start + kByteCounterLimit, size);
    unsigned char line_ends = 0;
    unsigned char skipped = 0;
    unsigned char candidates = 0;
    for (std::size_t i = start; i < stop; ++i) {
      const unsigned char byte = bytes[i];
      const unsigned char next = bytes[i + 1];
      // Byte-wide intermediates keep every lane a byte wide.
      const unsigned char lf_or_zero = (byte == '\n') | (byte == '\0');
      const unsigned char cr = byte == '\r';
      const unsigned char lf_after = next == '\n';
      line_ends += lf_or_zero | (cr & !lf_after);
      skipped += (byte == ' ') | lf_or_zero | cr;
      candidates |= (byte == '.') & (next == 'T');
    }
    counts.line_ends += line_ends;
    counts.skipped += skipped;
    counts.candidates = counts.candidates || candidates != 0;
  }
}

}  // namespace

#if defined(__x86_64__) && defined(__GNUC__)

namespace {

__attribute__((target("avx2"))) std::size_t SumLanes(__m256i lanes) {
  const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
  return static_cast<std::size_t>(_mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
                                  _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3));
}

// A lane that holds all ones is -1: subtracting it counts one.
__attribute__((target("avx2"))) ByteCounts CountBytePairsAvx2(const unsigned char* bytes,
                                                              std::size_t size) {
  const __m256i lf = _mm256_set1_epi8('\n');
  const __m256i cr = _mm256_set1_epi8('\r');
  const __m256i zero = _mm256_setzero_si256();
  const __m256i space = _mm256_set1_epi8(' ');
  const __m256i dot = _mm256_set1_epi8('.');
  const __m256i capital_t = _mm256_set1_epi8('T');
  __m256i line_ends = zero;
  __m256i skipped = zero;
  __m256i candidates = zero;
  std::size_t i = 0;
  for (; i + 32 <= size; i += 32) {
    const __m256i byte = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i));
    const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + i + 1));
    const __m256i lf_or_zero =
        _mm256_or_si256(_mm256_cmpeq_epi8(byte, lf), _mm256_cmpeq_epi8(byte, zero));
    const __m256i is_cr = _mm256_cmpeq_epi8(byte, cr);
    line_ends = _mm256_sub_epi8(
        line_ends,
        _mm256_or_si256(lf_or_zero, _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), is_cr)));
    skipped = _mm256_sub_epi8(skipped, _mm256_or_si256(_mm256_or_si256(lf_or_zero, is_cr),
                                                       _mm256_cmpeq_epi8(byte, space)));
    candidates = _mm256_or_si256(candidates, _mm256_and_si256(_mm256_cmpeq_epi8(byte, dot),
                                                              _mm256_cmpeq_epi8(next, capital_t)));
  }
  ByteCounts counts{SumLanes(line_ends), SumLanes(skipped), _mm256_movemask_epi8(candidates) != 0};
  AddBytePairCounts(bytes + i, size - i, counts);
  return counts;
}

}  // namespace

ByteCounts CountBytePairs(const unsigned char* bytes, std::size_t size) {
  static const bool kHasAvx2 = __builtin_cpu_supports("avx2");
  if (kHasAvx2) {
    return CountBytePairsAvx2(bytes, size);
  }
  ByteCounts counts;
  AddBytePairCounts(bytes, size, counts);
  return counts;
}

#else

ByteCounts CountBytePairs(const unsigned char* bytes, std::size_t size) {
  ByteCounts counts;
  AddBytePairCounts(bytes, size, counts);
  return counts;
}

#endif

}  // namespace dwelvane
