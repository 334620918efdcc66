#pragma once
// The largest picture the program accepts from any decoder. Quill is a 32-bit
// process: the source, its scaled copy and the decoder's own buffers must all
// fit in its 2 GB address space, so a picture is capped at 40 million pixels
// (160 MB as 32-bit pixels) and 32767 pixels on either side.
//
// Fuzz builds cap a picture at 16,384 pixels instead: a few mutated bytes can
// announce a picture at the cap, which a reader makes and zeroes before it
// finds the data short (or, for a JPEG whose entropy-coded data ends early,
// decodes in full from padding), and at 40 million pixels under the sanitizers
// that costs the fuzzer tens of milliseconds to seconds per input; even at
// 65,536 the JPEG target spent most of its time decoding frames near the cap.
// Every path of the readers is reached with pictures that small (a 128 x 128
// frame still has many rows of blocks); the refusal path is the same code
// either way, and its message is the shipped one.
#include <cstdint>
#include <string>

namespace quill {

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr std::int64_t kMaxPicturePixels = 1 << 14;
#else
constexpr std::int64_t kMaxPicturePixels = 40'000'000;
#endif
constexpr std::int32_t kMaxPictureSide = 32767;
inline const char* const kPictureTooLarge = "Picture too large (more than 40 million pixels or 32767 pixels on a side)";

// Throws EInvalidGraphic with kPictureTooLarge when width x height is over the
// cap, and "Invalid picture dimensions" when either side is below 1.
void CheckPictureSize(std::int64_t width, std::int64_t height);

// Bytes of one stored row of a BMP or DIB: width x bits rounded up to whole
// 32-bit words; 0 when either is below 1. Exact in 64 bits for any width and
// bit count a header field can hold, so a caller can check the product with
// the height before it allocates or reads.
std::uint64_t PaddedRowBytes(std::int64_t width, int bitsPerPixel);

}  // namespace quill
