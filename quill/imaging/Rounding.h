#pragma once
// Integer conversions shared by the resampling code. Floats become integers by
// rounding to nearest with halves to even (198.5 -> 198, 99.5 -> 100), never by
// truncation, so the results match whatever machine runs them.
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quill {

// Round half to even under the default rounding mode; values beyond the int32
// range saturate (NaN gives 0) instead of invoking undefined behaviour.
inline std::int32_t RoundHalfEven(float value) {
  const float r = std::nearbyint(value);
  if (!(r == r)) return 0;
  if (r >= 2147483648.0f) return INT32_MAX;
  if (r < -2147483648.0f) return INT32_MIN;
  return std::int32_t(r);
}

// a x b / c with a 64-bit product, rounded half away from zero on the
// magnitudes, sign applied afterwards; -1 when c is 0 or the quotient does not
// fit in 32 bits.
inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  const bool negative = ((a < 0) != (b < 0)) != (c < 0);
  const std::uint64_t product = std::uint64_t(std::llabs(std::int64_t(a))) * std::uint64_t(std::llabs(std::int64_t(b)));
  const std::uint64_t divisor = std::uint64_t(std::llabs(std::int64_t(c)));
  const std::uint64_t quotient = (product + divisor / 2) / divisor;
  if (quotient > (negative ? std::uint64_t(1) << 31 : std::uint64_t(INT32_MAX))) return -1;
  return negative ? std::int32_t(-std::int64_t(quotient)) : std::int32_t(quotient);
}

}  // namespace quill
