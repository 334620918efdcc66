// The fuzz targets' inputs replayed natively: their seed corpora and every
// input a fuzzer ever found crashing (kept under tests/data/fuzz/<target>/).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int IpcRequestFuzzOne(const std::uint8_t* data, std::size_t size);
extern "C" int ChatCommandFuzzOne(const std::uint8_t* data, std::size_t size);
extern "C" int HostRecordFuzzOne(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

int Replay(const char* target, int (*run)(const std::uint8_t*, std::size_t)) {
  int replayed = 0;
  const fs::path root = QUILL_TEST_DATA;
  for (const fs::path& folder : {root / "fuzz" / target, root / ".." / ".." / "fuzz" / "corpus" / target}) {
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      run(bytes.data(), bytes.size());
      ++replayed;
    }
  }
  return replayed;
}

TEST(FuzzReplay, RequestInputsRunClean) { EXPECT_GT(Replay("ipc_request_fuzz", IpcRequestFuzzOne), 0); }

TEST(FuzzReplay, ChatCommandInputsRunClean) { EXPECT_GT(Replay("chat_command_fuzz", ChatCommandFuzzOne), 0); }

TEST(FuzzReplay, HostRecordInputsRunClean) { EXPECT_GT(Replay("host_record_fuzz", HostRecordFuzzOne), 0); }

}  // namespace
