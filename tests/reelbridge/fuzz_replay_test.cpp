#include <gtest/gtest.h>

#include "tests/fuzz_replay.h"

extern "C" int QuillFuzz_ipc_request_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_chat_command_fuzz(const std::uint8_t* data, std::size_t size);
extern "C" int QuillFuzz_host_record_fuzz(const std::uint8_t* data, std::size_t size);

namespace {

using quill::fuzzreplay::Replay;

TEST(FuzzReplay, RequestInputsRunClean) { EXPECT_GT(Replay({"ipc_request_fuzz", QuillFuzz_ipc_request_fuzz}), 0); }

TEST(FuzzReplay, ChatCommandInputsRunClean) {
  EXPECT_GT(Replay({"chat_command_fuzz", QuillFuzz_chat_command_fuzz}), 0);
}

TEST(FuzzReplay, HostRecordInputsRunClean) { EXPECT_GT(Replay({"host_record_fuzz", QuillFuzz_host_record_fuzz}), 0); }

}  // namespace
