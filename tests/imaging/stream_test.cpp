#include <gtest/gtest.h>

#include "quill/base/Errors.h"
#include "quill/imaging/Stream.h"

namespace quill {
namespace {

TEST(TMemoryStream, WritesGrowReadsFollowThePosition) {
  TMemoryStream stream;
  const std::uint8_t bytes[] = {1, 2, 3, 4, 5};
  stream.WriteBuffer(bytes, 5);
  EXPECT_EQ(stream.Size(), 5);
  EXPECT_EQ(stream.Position(), 5);
  stream.SetPosition(1);
  std::uint8_t read[8] = {};
  EXPECT_EQ(stream.Read(read, 8), 4);
  EXPECT_EQ(read[0], 2);
  EXPECT_EQ(read[3], 5);
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(TMemoryStream, WritingPastTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  stream.Seek(3, soBeginning);
  const std::uint8_t b = 9;
  stream.WriteBuffer(&b, 1);
  EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{0, 0, 0, 9}));
}

TEST(TMemoryStream, NegativePositionsAndCountsMoveNothing) {
  TMemoryStream stream(std::vector<std::uint8_t>{1, 2, 3});
  std::uint8_t b = 0;
  EXPECT_EQ(stream.Read(&b, -1), 0);
  stream.Seek(-2, soCurrent);
  EXPECT_EQ(stream.Read(&b, 1), 0);
  EXPECT_EQ(stream.Write(&b, 1), 0);
  EXPECT_EQ(stream.Remaining(), 0);
  EXPECT_EQ(stream.Bytes().size(), 3u);
}

TEST(TStream, ShortReadBufferIsStreamReadError) {
  const std::vector<std::uint8_t> bytes = {1, 2, 3};
  TMemoryViewStream stream(bytes);
  std::uint8_t read[4];
  try {
    stream.ReadBuffer(read, 4);
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

TEST(TStream, WriteBufferToReadOnlyStreamIsStreamWriteError) {
  const std::vector<std::uint8_t> bytes = {1};
  TMemoryViewStream stream(bytes);
  try {
    stream.WriteBuffer(bytes.data(), 1);
    FAIL() << "no exception";
  } catch (const EFileError& e) {
    EXPECT_STREQ(e.what(), "Stream write error");
  }
}

TEST(TStream, RemainingCountsFromThePosition) {
  const std::vector<std::uint8_t> bytes(10);
  TMemoryViewStream stream(bytes);
  stream.SetPosition(4);
  EXPECT_EQ(stream.Remaining(), 6);
  stream.SetPosition(12);
  EXPECT_EQ(stream.Remaining(), 0);
  EXPECT_EQ(stream.Position(), 12) << "Size() must not move the position";
}

}  // namespace
}  // namespace quill
