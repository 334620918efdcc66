#include <gtest/gtest.h>

#include "tests/fuzz_replay.h"

extern "C" int QuillFuzz_bookmark_fuzz(const std::uint8_t* data, std::size_t size);

namespace quill {
namespace {

TEST(FuzzReplay, BookmarkFindingsAndSeedsPassTheTargetsChecks) {
  EXPECT_GT(fuzzreplay::Replay({"bookmark_fuzz", QuillFuzz_bookmark_fuzz}), 0);
}

}  // namespace
}  // namespace quill
