// Bounds-checked little-endian reads over foreign bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/ByteReader.h"

namespace quill {
namespace {

const std::vector<std::uint8_t> kBytes = {0x01, 0x02, 0x03, 0x04, 0xFE, 0xFF, 0xFF, 0xFF};

TEST(ByteReader, ReadsLittleEndianValuesInOrder) {
  TByteReader in(kBytes.data(), kBytes.size(), "short");
  EXPECT_EQ(in.ReadU8(), 0x01);
  EXPECT_EQ(in.ReadU16(), 0x0302);
  EXPECT_EQ(in.Position(), 3u);
  in.Seek(0);
  EXPECT_EQ(in.ReadU32(), 0x04030201u);
  EXPECT_EQ(in.ReadI32(), -2);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST(ByteReader, ReadingPastTheEndThrowsTheOwnersTextAndMovesNothing) {
  TByteReader in(kBytes.data(), kBytes.size(), "Picture data ends early");
  in.Skip(6);
  try {
    in.ReadU32();
    ADD_FAILURE();
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Picture data ends early");
  }
  EXPECT_EQ(in.Position(), 6u);
  EXPECT_EQ(in.ReadU16(), 0xFFFFu);
  EXPECT_THROW(in.ReadU8(), EInvalidGraphic);
}

TEST(ByteReader, SeeksUpToTheEndButNotPastIt) {
  TByteReader in(kBytes.data(), kBytes.size(), "short");
  in.Seek(8);
  EXPECT_EQ(in.Remaining(), 0u);
  EXPECT_THROW(in.Seek(9), EInvalidGraphic);
  EXPECT_THROW(in.Seek(0x1'0000'0000ull), EInvalidGraphic);  // would wrap a 32-bit size
  in.Seek(2);
  EXPECT_THROW(in.Skip(7), EInvalidGraphic);
  EXPECT_THROW(in.ReadBytes(0xFFFF'FFFF'FFFF'FFFFull), EInvalidGraphic);
  EXPECT_EQ(in.Position(), 2u);
  EXPECT_TRUE(in.CanRead(6));
  EXPECT_FALSE(in.CanRead(7));
}

TEST(ByteReader, NoBlockReadsAsEmpty) {
  TByteReader in(nullptr, 100, "short");
  EXPECT_EQ(in.Size(), 0u);
  EXPECT_THROW(in.ReadU8(), EInvalidGraphic);
}

}  // namespace
}  // namespace quill
