#include "quill/imaging/Contributions.h"

#include <algorithm>
#include <cmath>

#include "quill/imaging/Rounding.h"

namespace quill {

namespace {

constexpr float kTriangleWidth = 1.001f;
constexpr float kSplineWidth = 1.5f;
constexpr float kEnlargeUnit = 256.0f;  // enlarging weights are in 256ths
constexpr float kReduceUnit = 255.0f;   // reducing weights in 255ths
constexpr std::int32_t kFullWeight = 255;

std::int32_t FloorToInt(float v) { return RoundHalfEven(std::floor(v)); }
std::int32_t CeilToInt(float v) { return RoundHalfEven(std::ceil(v)); }

}  // namespace

float StretchKernel(TStretchFilter filter, float x) {
  const float ax = std::fabs(x);
  if (filter == sfSpline) {
    if (ax < 1.0f) return 0.5f * (ax * ax * ax) - ax * ax + 2.0f / 3.0f;
    if (ax < 2.0f) {
      const float t = 2.0f - ax;
      return t * t * t / 6.0f;
    }
    return 0.0f;
  }
  return ax < 1.0f ? 1.0f - ax : 0.0f;
}

float StretchKernelWidth(TStretchFilter filter) { return filter == sfSpline ? kSplineWidth : kTriangleWidth; }

TContributionLists BuildContributions(std::int32_t destSize, std::int32_t sourceSize, std::int32_t lo, std::int32_t hi,
                                      TStretchFilter filter, std::int32_t first, std::int32_t count) {
  TContributionLists lists;
  if (sourceSize <= 0) return lists;
  const std::int32_t lastSource = sourceSize - 1;
  if (sourceSize == 1 || hi < lo || destSize < 2) {
    // A one-pixel source repeats that pixel; otherwise there is nothing to
    // interpolate between and every list stays empty.
    for (std::int32_t n = 0; n < count; ++n) {
      if (sourceSize == 1) lists.Append({0, kFullWeight});
      lists.CloseList();
    }
    return lists;
  }
  const float width = StretchKernelWidth(filter);
  const float scale = hi - lo == 1 ? 1.0f : float(destSize - 1) / float(hi - lo - 1);
  const bool enlarging = scale >= 1.0f;
  // Enlarging samples the kernel at source spacing within 1 / width (not the
  // width itself); reducing stretches the kernel over 1 / scale source pixels.
  const float radius = enlarging ? 1.0f / width : width / scale;
  for (std::int32_t i = first; i < first + count; ++i) {
    const float centre = float(i) / scale + float(lo);
    const std::int32_t from = FloorToInt(centre - radius);
    const std::int32_t to = CeilToInt(centre + radius);
    if (enlarging) {
      for (std::int32_t j = from; j <= to; ++j) {
        const std::int32_t weight = RoundHalfEven(StretchKernel(filter, centre - float(j)) * kEnlargeUnit);
        if (weight != 0) lists.Append({std::clamp(j, 0, lastSource), weight});
      }
      lists.CloseList();
      continue;
    }
    std::vector<TContribution> list;
    float sum = 0.0f;
    for (std::int32_t j = from; j <= to; ++j) {
      const std::int32_t weight =
          RoundHalfEven(StretchKernel(filter, (centre - float(j)) * scale) * kReduceUnit * scale);
      if (weight == 0) continue;
      list.push_back({std::clamp(j, 0, lastSource), weight});
      sum += float(weight) / kReduceUnit;
    }
    if (sum != 1.0f)
      for (TContribution& c : list) c.Weight = RoundHalfEven(float(c.Weight) / sum);
    // A reduction so strong that every weight rounds to 0 would leave the pixel
    // black; it takes the source pixel under its centre at full weight instead.
    if (list.empty()) list.push_back({std::clamp(RoundHalfEven(centre), 0, lastSource), kFullWeight});
    for (const TContribution& c : list) lists.Append(c);
    lists.CloseList();
  }
  return lists;
}

}  // namespace quill
