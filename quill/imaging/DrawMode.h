#pragma once
// How a bitmap's pixels land on another's when it is drawn.
namespace quill {

enum TDrawMode { dmOpaque, dmBlend, dmCustom };

}  // namespace quill
