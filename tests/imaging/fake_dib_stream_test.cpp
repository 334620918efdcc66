// The DIB presented as a BMP file: a synthetic 14-byte header, then the DIB.
#include <gtest/gtest.h>

#include <climits>

#include "quill/imaging/DIB.h"
#include "quill/imaging/FakeDIBFileStream.h"
#include "quill/imaging/Stream.h"
#include "tests/imaging/dib_test_bytes.h"

namespace quill {
namespace {

using dibtest::BuildBmp;
using dibtest::Get32;
using dibtest::ValidLayout;

class FakeDIBFile : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = BuildBmp(ValidLayout(5, 3, 4, 16));  // 14 + 40 + 64 + 12 bytes
    TMemoryViewStream stream(file_);
    dib_.ReadBMP(stream);
  }

  std::vector<std::uint8_t> Slice(std::int64_t from, std::int64_t count) const {
    return std::vector<std::uint8_t>(file_.begin() + from, file_.begin() + from + count);
  }

  std::vector<std::uint8_t> file_;
  TDIB dib_;
};

TEST_F(FakeDIBFile, HeaderSaysBmSizeReservedZerosAndPixelOffset) {
  TFakeDIBFileStream stream(dib_.Image());
  const auto& header = stream.FileHeader();
  EXPECT_EQ(header[0], 'B');
  EXPECT_EQ(header[1], 'M');
  const std::vector<std::uint8_t> bytes(header.begin(), header.end());
  EXPECT_EQ(Get32(bytes, 2), 14u + 40u + 64u + 12u);
  EXPECT_EQ(Get32(bytes, 6), 0u);
  EXPECT_EQ(Get32(bytes, 10), 14u + 40u + 64u);
  EXPECT_EQ(stream.Size(), std::int64_t(file_.size()));
}

TEST_F(FakeDIBFile, WholeReadIsTheBmpFile) {
  TFakeDIBFileStream stream(dib_.Image());
  std::vector<std::uint8_t> read(file_.size());
  EXPECT_EQ(stream.Read(read.data(), std::int32_t(read.size())), std::int32_t(file_.size()));
  EXPECT_EQ(read, file_);
  EXPECT_EQ(stream.Position(), stream.Size());
}

struct TReadCase {
  std::int64_t Start;
  std::int32_t Count;
  std::int32_t Expected;  // bytes delivered
};

class FakeDIBFileRead : public FakeDIBFile, public ::testing::WithParamInterface<TReadCase> {};

TEST_P(FakeDIBFileRead, DeliversTheFilesBytesAcrossTheHeaderBoundary) {
  const TReadCase& c = GetParam();
  TFakeDIBFileStream stream(dib_.Image());
  stream.SetPosition(c.Start);
  std::vector<std::uint8_t> buffer(std::size_t(std::max(c.Count, 0)) + 8, 0xCC);
  const std::int32_t n = stream.Read(buffer.data(), c.Count);
  ASSERT_EQ(n, c.Expected);
  if (n > 0) {
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + n), Slice(c.Start, n));
  }
  EXPECT_EQ(buffer[std::size_t(n)], 0xCC) << "wrote past what it reported";
  EXPECT_EQ(stream.Position(), c.Start + n);
}

// The file is 130 bytes long.
INSTANTIATE_TEST_SUITE_P(Requests, FakeDIBFileRead,
                         ::testing::Values(TReadCase{0, 14, 14},     // exactly the header
                                           TReadCase{0, 5, 5},       // inside the header
                                           TReadCase{10, 8, 8},      // straddles the boundary
                                           TReadCase{13, 1, 1},      // last header byte
                                           TReadCase{13, 2, 2},      // one byte each side
                                           TReadCase{14, 3, 3},      // first DIB bytes
                                           TReadCase{60, 30, 30},    // inside the DIB
                                           TReadCase{5, 1000, 125},  // to the end
                                           TReadCase{128, 10, 2},    // the last two
                                           TReadCase{130, 4, 0},     // at the end
                                           TReadCase{500, 4, 0},     // past the end
                                           TReadCase{-1, 4, 0},      // before the start
                                           TReadCase{3, 0, 0},       // nothing asked
                                           TReadCase{3, -5, 0},      // negative count
                                           TReadCase{3, INT_MIN, 0}));

TEST_F(FakeDIBFile, ReadsInPiecesJoinUpToTheFile) {
  TFakeDIBFileStream stream(dib_.Image());
  std::vector<std::uint8_t> joined;
  std::uint8_t piece[3];
  for (std::int32_t n; (n = stream.Read(piece, sizeof piece)) > 0;) joined.insert(joined.end(), piece, piece + n);
  EXPECT_EQ(joined, file_);
}

TEST_F(FakeDIBFile, SeeksFromEachOriginAndKeepsAnyPosition) {
  TFakeDIBFileStream stream(dib_.Image());
  EXPECT_EQ(stream.Seek(20, soBeginning), 20);
  EXPECT_EQ(stream.Seek(-6, soCurrent), 14);
  EXPECT_EQ(stream.Seek(-2, soEnd), 128);
  EXPECT_EQ(stream.Seek(10, soEnd), 140);
  EXPECT_EQ(stream.Seek(-200, soCurrent), -60);
  std::uint8_t b;
  EXPECT_EQ(stream.Read(&b, 1), 0);
  EXPECT_EQ(stream.Seek(LLONG_MAX, soCurrent), LLONG_MAX - 60);
  EXPECT_EQ(stream.Seek(LLONG_MAX, soEnd), LLONG_MAX) << "saturates instead of overflowing";
}

TEST_F(FakeDIBFile, WritingStoresNothing) {
  TFakeDIBFileStream stream(dib_.Image());
  const std::uint8_t bytes[4] = {1, 2, 3, 4};
  EXPECT_EQ(stream.Write(bytes, 4), 0);
  EXPECT_EQ(stream.Position(), 0);
  std::vector<std::uint8_t> read(file_.size());
  stream.ReadBuffer(read.data(), read.size());
  EXPECT_EQ(read, file_);
}

TEST_F(FakeDIBFile, KeepsItsImageAliveWhenThePictureMovesOn) {
  TFakeDIBFileStream stream(dib_.Image());
  dib_.CopyFrom(static_cast<const TDIB*>(nullptr));
  std::vector<std::uint8_t> read(file_.size());
  stream.ReadBuffer(read.data(), read.size());
  EXPECT_EQ(read, file_);
}

TEST(FakeDIBFileEmpty, NoImageReadsAsABareHeader) {
  TFakeDIBFileStream stream(nullptr);
  EXPECT_EQ(stream.Size(), 14);
  std::uint8_t bytes[20];
  EXPECT_EQ(stream.Read(bytes, 20), 14);
  EXPECT_EQ(bytes[0], 'B');
}

}  // namespace
}  // namespace quill
