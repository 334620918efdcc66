#include <gtest/gtest.h>

#include "tests/fuzz_replay.h"

extern "C" int QuillFuzz_bmp_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_dib_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_gif_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_jpeg_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_png_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_webp_fuzz(const std::uint8_t* data, std::size_t size);

namespace quill {
namespace {

using fuzzreplay::TFuzzTarget;

class FuzzReplay : public testing::TestWithParam<TFuzzTarget> {};

TEST_P(FuzzReplay, FindingsAndSeedsPassTheTargetsChecks) { EXPECT_GT(fuzzreplay::Replay(GetParam()), 0); }

INSTANTIATE_TEST_SUITE_P(
    Readers, FuzzReplay,
    testing::Values(TFuzzTarget{"bmp_fuzz", QuillFuzz_bmp_fuzz}, TFuzzTarget{"dib_fuzz", QuillFuzz_dib_fuzz},
                    TFuzzTarget{"gif_fuzz", QuillFuzz_gif_fuzz}, TFuzzTarget{"jpeg_fuzz", QuillFuzz_jpeg_fuzz},
                    TFuzzTarget{"png_fuzz", QuillFuzz_png_fuzz}, TFuzzTarget{"webp_fuzz", QuillFuzz_webp_fuzz}),
    [](const testing::TestParamInfo<TFuzzTarget>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quill
