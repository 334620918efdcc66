#pragma once
// Contribution lists of the convolving stretch filters (sfLinear2, sfSpline):
// for each destination coordinate on one axis, which source indices feed it and
// with what integer weight. Built once per draw and axis, shared by all pixels.
#include <cstdint>
#include <vector>

#include "quill/imaging/Bitmap32.h"

namespace quill {

struct TContribution {
  std::int32_t Index;   // source index, clamped to the source bitmap
  std::int32_t Weight;  // 256ths when enlarging, about 255ths when reducing
};

class TContributionLists {
 public:
  std::int32_t Count() const { return std::int32_t(starts_.size()) - 1; }
  const TContribution* Begin(std::int32_t list) const { return entries_.data() + starts_[std::size_t(list)]; }
  const TContribution* End(std::int32_t list) const { return entries_.data() + starts_[std::size_t(list) + 1]; }
  std::vector<TContribution> List(std::int32_t list) const { return {Begin(list), End(list)}; }

  void Append(TContribution c) { entries_.push_back(c); }
  void CloseList() { starts_.push_back(entries_.size()); }

 private:
  std::vector<std::size_t> starts_{0};
  std::vector<TContribution> entries_;
};

// Kernel of a convolving filter, evaluated in 32-bit floats: the triangle
// 1 - |x| for sfLinear2, the cubic B-spline for sfSpline.
float StretchKernel(TStretchFilter filter, float x);
// The kernel's width: 1.001 for sfLinear2, 1.5 for sfSpline.
float StretchKernelWidth(TStretchFilter filter);

// Lists for destination coordinates first .. first + count - 1 of an axis of
// destSize coordinates, drawn from source range lo .. hi of a source bitmap
// sourceSize long on that axis. Each list depends only on its own coordinate,
// so a clipped draw builds just the lists it uses.
TContributionLists BuildContributions(std::int32_t destSize, std::int32_t sourceSize, std::int32_t lo, std::int32_t hi,
                                      TStretchFilter filter, std::int32_t first, std::int32_t count);

}  // namespace quill
