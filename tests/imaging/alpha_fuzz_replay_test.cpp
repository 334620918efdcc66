#include <gtest/gtest.h>

#include "tests/fuzz_replay.h"

extern "C" int QuillFuzz_png_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_webp_fuzz(const std::uint8_t* data, std::size_t size);

namespace quill {
namespace {

using fuzzreplay::TFuzzTarget;

class AlphaFuzzReplay : public testing::TestWithParam<TFuzzTarget> {};

TEST_P(AlphaFuzzReplay, FindingsAndSeedsPassTheTargetsChecks) { EXPECT_GT(fuzzreplay::Replay(GetParam()), 0); }

INSTANTIATE_TEST_SUITE_P(Readers, AlphaFuzzReplay,
                         testing::Values(TFuzzTarget{"png_fuzz", QuillFuzz_png_fuzz},
                                         TFuzzTarget{"webp_fuzz", QuillFuzz_webp_fuzz}),
                         [](const testing::TestParamInfo<TFuzzTarget>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace quill
