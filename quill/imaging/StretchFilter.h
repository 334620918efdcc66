#pragma once
// The resampling filter a bitmap is stretched and transformed with.
namespace quill {

enum TStretchFilter { sfNearest, sfLinear, sfLinear2, sfSpline };

}  // namespace quill
