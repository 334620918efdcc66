#include <gtest/gtest.h>

#include "tests/fuzz_replay.h"

extern "C" int QuillFuzz_clipboard_picture_fuzz(const std::uint8_t* data, std::size_t size);

namespace quill {
namespace {

TEST(FuzzReplay, ClipboardPictureFindingsAndSeedsPassTheTargetsChecks) {
  EXPECT_GT(fuzzreplay::Replay({"clipboard_picture_fuzz", QuillFuzz_clipboard_picture_fuzz}), 0);
}

}  // namespace
}  // namespace quill
