// Foreign bytes the DIB reader must refuse: every case raises its fixed message
// before reading past the data or allocating what the header claims, and the
// picture keeps the image it had.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <functional>
#include <string>

#include "quill/base/Errors.h"
#include "quill/imaging/DIB.h"
#include "quill/imaging/ImageLimits.h"
#include "quill/imaging/Stream.h"
#include "tests/imaging/dib_test_bytes.h"

namespace quill {
namespace {

using dibtest::BuildBmp;
using dibtest::TBmpLayout;
using dibtest::ValidLayout;

enum TErrorKind { ekInvalidGraphic, ekReadError };

struct TBadFile {
  const char* Name;
  std::function<std::vector<std::uint8_t>()> Make;
  TErrorKind Kind;
  std::string Message;
};

std::vector<std::uint8_t> With(std::function<void(TBmpLayout&)> change, TBmpLayout layout = ValidLayout(4, 2, 8)) {
  change(layout);
  return BuildBmp(layout);
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t keep) {
  bytes.resize(keep);
  return bytes;
}

const std::string kBitmap = "Invalid bitmap";
const std::string kFormat = "Invalid bitmap format";
const std::string kTooLarge = kPictureTooLarge;
const std::string kRead = "Stream read error";

std::vector<TBadFile> BadFiles() {
  const auto valid8 = BuildBmp(ValidLayout(4, 2, 8));  // 14 + 40 + 1024 + 8 bytes
  // One table row a line, as the cases read best.
  // clang-format off
  return {
      {"signature", [] { return With([](TBmpLayout& s) { s.Signature = 0x4142; }); }, ekInvalidGraphic, kBitmap},
      {"header size 108", [] { return With([](TBmpLayout& s) { s.HeaderSize = 108; }); }, ekInvalidGraphic, ""},
      {"header size 64", [] { return With([](TBmpLayout& s) { s.HeaderSize = 64; }); }, ekInvalidGraphic, ""},
      {"header size 0", [] { return With([](TBmpLayout& s) { s.HeaderSize = 0; }); }, ekInvalidGraphic, ""},
      {"header size huge", [] { return With([](TBmpLayout& s) { s.HeaderSize = 0xFFFFFFF0u; }); }, ekInvalidGraphic, ""},
      {"run-length 8", [] { return With([](TBmpLayout& s) { s.Compression = 1; }); }, ekInvalidGraphic, kFormat},
      {"run-length 4", [] { return With([](TBmpLayout& s) { s.Compression = 2; }, ValidLayout(4, 2, 4)); }, ekInvalidGraphic, kFormat},
      {"bit fields 16", [] { return With([](TBmpLayout& s) { s.Compression = 3; }, ValidLayout(4, 2, 16)); }, ekInvalidGraphic, kFormat},
      {"bit fields 32", [] { return With([](TBmpLayout& s) { s.Compression = 3; }, ValidLayout(4, 2, 32)); }, ekInvalidGraphic, kFormat},
      {"embedded jpeg", [] { return With([](TBmpLayout& s) { s.Compression = 4; }); }, ekInvalidGraphic, kFormat},
      {"top-down rows", [] { return With([](TBmpLayout& s) { s.Height = -2; }); }, ekInvalidGraphic, kFormat},
      {"most negative height", [] { return With([](TBmpLayout& s) { s.Height = INT_MIN; }); }, ekInvalidGraphic, kFormat},
      {"0 bits", [] { return With([](TBmpLayout& s) { s.BitCount = 0; }); }, ekInvalidGraphic, kFormat},
      {"2 bits", [] { return With([](TBmpLayout& s) { s.BitCount = 2; }); }, ekInvalidGraphic, kFormat},
      {"15 bits", [] { return With([](TBmpLayout& s) { s.BitCount = 15; }); }, ekInvalidGraphic, kFormat},
      {"64 bits", [] { return With([](TBmpLayout& s) { s.BitCount = 64; }); }, ekInvalidGraphic, kFormat},
      {"65535 bits", [] { return With([](TBmpLayout& s) { s.BitCount = 65535; }); }, ekInvalidGraphic, kFormat},
      {"core 16 bits", [] { return With([](TBmpLayout& s) { s.HeaderSize = 12; s.BitCount = 16; s.Table.clear(); }); }, ekInvalidGraphic, kFormat},
      {"core 32 bits", [] { return With([](TBmpLayout& s) { s.HeaderSize = 12; s.BitCount = 32; s.Table.clear(); }); }, ekInvalidGraphic, kFormat},
      {"0 planes", [] { return With([](TBmpLayout& s) { s.Planes = 0; }); }, ekInvalidGraphic, kFormat},
      {"2 planes", [] { return With([](TBmpLayout& s) { s.Planes = 2; }); }, ekInvalidGraphic, kFormat},
      {"0 width", [] { return With([](TBmpLayout& s) { s.Width = 0; }); }, ekInvalidGraphic, kBitmap},
      {"negative width", [] { return With([](TBmpLayout& s) { s.Width = -4; }); }, ekInvalidGraphic, kBitmap},
      {"0 height", [] { return With([](TBmpLayout& s) { s.Height = 0; }); }, ekInvalidGraphic, kBitmap},
      {"core 0 width", [] { return With([](TBmpLayout& s) { s.HeaderSize = 12; s.Width = 0; }); }, ekInvalidGraphic, kBitmap},
      {"257 colours at 8 bits", [] { return With([](TBmpLayout& s) { s.ClrUsed = 257; }); }, ekInvalidGraphic, kBitmap},
      {"3 colours at 1 bit", [] { return With([](TBmpLayout& s) { s.ClrUsed = 3; }, ValidLayout(4, 2, 1)); }, ekInvalidGraphic, kBitmap},
      {"17 colours at 4 bits", [] { return With([](TBmpLayout& s) { s.ClrUsed = 17; }, ValidLayout(4, 2, 4)); }, ekInvalidGraphic, kBitmap},
      {"300 colours at 24 bits", [] { return With([](TBmpLayout& s) { s.ClrUsed = 300; }, ValidLayout(4, 2, 24)); }, ekInvalidGraphic, kBitmap},
      {"4 billion colours", [] { return With([](TBmpLayout& s) { s.ClrUsed = 0xFFFFFFFFu; }); }, ekInvalidGraphic, kBitmap},
      {"wider than the cap", [] { return With([](TBmpLayout& s) { s.Width = 40000; }); }, ekInvalidGraphic, kTooLarge},
      {"width times bits past 32 bits", [] { return With([](TBmpLayout& s) { s.Width = INT_MAX; }, ValidLayout(4, 2, 32)); }, ekInvalidGraphic, kTooLarge},
      {"too many pixels", [] { return With([](TBmpLayout& s) { s.Width = 20000; s.Height = 20000; }); }, ekInvalidGraphic, kTooLarge},
      {"core widest", [] { return With([](TBmpLayout& s) { s.HeaderSize = 12; s.Width = 65535; }); }, ekInvalidGraphic, kTooLarge},
      {"short file header", [valid8] { return Cut(valid8, 10); }, ekReadError, kRead},
      {"file header only", [valid8] { return Cut(valid8, 14); }, ekReadError, kRead},
      {"header size cut", [valid8] { return Cut(valid8, 16); }, ekReadError, kRead},
      {"info header cut", [valid8] { return Cut(valid8, 14 + 30); }, ekReadError, kRead},
      {"colour table cut", [valid8] { return Cut(valid8, 14 + 40 + 500); }, ekReadError, kRead},
      {"last pixel missing", [valid8] { return Cut(valid8, valid8.size() - 1); }, ekReadError, kRead},
      {"core table cut",
       [] {
         TBmpLayout s = ValidLayout(4, 2, 8);
         s.HeaderSize = 12;
         s.Table = dibtest::DistinctQuads(255, 3);
         s.Pixels.clear();
         return BuildBmp(s);
       },
       ekReadError, kRead},
      // 30000 x 1300 at 24 bits is 117 MB: inside the cap, so only the missing
      // bytes stop it, before anything that size is allocated.
      {"large claim, no pixels",
       [] { return With([](TBmpLayout& s) { s.Width = 30000; s.Height = 1300; s.BitCount = 24; s.Table.clear(); s.Pixels.clear(); }); },
       ekReadError, kRead},
  };
  // clang-format on
}

std::vector<std::uint8_t> WithoutFileHeader(const std::vector<std::uint8_t>& file) {
  return std::vector<std::uint8_t>(file.begin() + std::min<std::size_t>(14, file.size()), file.end());
}

class BadDIBFile : public ::testing::TestWithParam<TBadFile> {
 protected:
  void SetUp() override {
    const auto good = BuildBmp(ValidLayout(3, 3, 24));
    TMemoryViewStream stream(good);
    dib_.ReadBMP(stream);
    before_ = dib_.Image();
    dib_.OnChange = [this] { ++changes_; };
  }

  TDIB dib_;
  std::shared_ptr<const TDIBImage> before_;
  int changes_ = 0;
};

TEST_P(BadDIBFile, ReadBmpRaisesItsMessageAndKeepsThePreviousImage) {
  const TBadFile& bad = GetParam();
  const auto bytes = bad.Make();
  TMemoryViewStream stream(bytes);
  const auto read = [&] { dib_.ReadBMP(stream); };
  if (bad.Kind == ekReadError) EXPECT_EQ(dibtest::MessageOf<EFileError>(read), bad.Message);
  else EXPECT_EQ(dibtest::MessageOf<EInvalidGraphic>(read), bad.Message);
  EXPECT_EQ(dib_.Image(), before_);
  EXPECT_EQ(changes_, 0);
}

TEST_P(BadDIBFile, ClipboardImportReportsUnknownFormatAndKeepsThePreviousImage) {
  const TBadFile& bad = GetParam();
  if (std::string(bad.Name) == "signature") GTEST_SKIP() << "a clipboard block has no file header";
  const auto block = WithoutFileHeader(bad.Make());
  const auto import = [&] { dib_.ImportClipboardDIB(8, block.data(), block.size()); };
  EXPECT_EQ(dibtest::MessageOf<EInvalidGraphic>(import), "Unknown clipboard format");
  EXPECT_EQ(dib_.Image(), before_);
  EXPECT_EQ(changes_, 0);
}

std::string CaseName(const ::testing::TestParamInfo<TBadFile>& info) {
  std::string name;
  for (char c : std::string(info.param.Name)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Headers, BadDIBFile, ::testing::ValuesIn(BadFiles()), CaseName);

TEST(DIBHeaderLimits, LargestAcceptedSideIsTheCap) {
  auto layout = ValidLayout(kMaxPictureSide, 1, 1);
  TDIB dib;
  const auto file = BuildBmp(layout);
  TMemoryViewStream stream(file);
  dib.ReadBMP(stream);
  EXPECT_EQ(dib.Width(), kMaxPictureSide);
}

TEST(DIBHeaderLimits, ColourCountUpToWhatTheDepthUsesIsAccepted) {
  const std::vector<std::pair<int, std::uint32_t>> cases = {{1, 2}, {1, 1}, {4, 16}, {8, 256}, {24, 256}, {16, 3}};
  for (const auto& [bits, colours] : cases) {
    TDIB dib;
    const auto file = BuildBmp(ValidLayout(2, 2, std::uint16_t(bits), colours));
    TMemoryViewStream stream(file);
    dib.ReadBMP(stream);
    EXPECT_EQ(dib.Image()->ColourCount(), colours) << bits;
  }
}

}  // namespace
}  // namespace quill
