#include "quill/imaging/Picture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "quill/base/Errors.h"
#include "quill/imaging/Bitmap32.h"
#include "quill/imaging/FileBytes.h"
#include "quill/imaging/GifImage.h"
#include "quill/imaging/ImageLimits.h"
#include "quill/imaging/JpegImage.h"

namespace quill {
namespace {

std::string SamplePath(const std::string& name) { return std::string(QUILL_TEST_DATA) + "/" + name; }

// A copy of a sample under another name in the test's scratch folder; removed
// again when the test ends.
class SampleCopy {
 public:
  SampleCopy(const std::string& sample, const std::string& name) : path_(testing::TempDir() + "quill_picture_" + name) {
    WriteFileBytes(path_, ReadFileBytes(SamplePath(sample)));
  }
  ~SampleCopy() { std::remove(path_.c_str()); }
  SampleCopy(const SampleCopy&) = delete;
  SampleCopy& operator=(const SampleCopy&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(FileBytes, ReadsTheWholeFileAndRefusesOneOverItsLimit) {
  // Several read chunks long, and a pattern that shows any chunk out of place.
  std::vector<std::uint8_t> pattern(200000);
  for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = std::uint8_t(i * 7 + i / 251);
  const std::string path = testing::TempDir() + "quill_file_bytes.bin";
  WriteFileBytes(path, pattern);
  EXPECT_EQ(ReadFileBytes(path), pattern);
  EXPECT_EQ(ReadFileBytes(path, pattern.size()), pattern);
  try {
    ReadFileBytes(path, pattern.size() - 1);
    ADD_FAILURE() << "a file over the limit was read";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), kPictureTooLarge);
  }
  std::remove(path.c_str());
}

enum class Kind { Jpeg, Gif };

TEST(Picture, ChoosesTheDecoderByExtensionIgnoringCase) {
  struct Case {
    const char* sample;
    const char* name;
    Kind kind;
    int width, height;
  };
  const Case cases[] = {
      {"colour.jpg", "a.jpg", Kind::Jpeg, 32, 24},
      {"colour.jpg", "b.JPG", Kind::Jpeg, 32, 24},
      {"colour.jpg", "c.Jpeg", Kind::Jpeg, 32, 24},
      {"colour.jpg", "d.jpe", Kind::Jpeg, 32, 24},
      {"colour.jpg", "e.JFIF", Kind::Jpeg, 32, 24},
      {"offset.gif", "f.gif", Kind::Gif, 12, 10},
      {"offset.gif", "g.Gif", Kind::Gif, 12, 10},
      {"offset.gif", "h.GIF", Kind::Gif, 12, 10},
      {"colour.jpg", "dotted.name.jpg", Kind::Jpeg, 32, 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleCopy file(c.sample, c.name);
    TPicture picture;
    picture.LoadFromFile(file.Path());
    ASSERT_NE(picture.Graphic(), nullptr);
    if (c.kind == Kind::Jpeg) EXPECT_NE(dynamic_cast<const TJPEGImage*>(picture.Graphic()), nullptr);
    else EXPECT_NE(dynamic_cast<const TGIFImage*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Graphic()->Width(), c.width);
    EXPECT_EQ(picture.Graphic()->Height(), c.height);
  }
}

TEST(Picture, FailuresKeepThePreviousGraphic) {
  struct Case {
    const char* sample;
    const char* name;
    const char* message;
  };
  const Case cases[] = {
      {"colour.jpg", "x.pcx", "Unknown picture file extension (.pcx)"},
      {"colour.jpg", "x.TIF", "Unknown picture file extension (.tif)"},
      {"colour.jpg", "noextension", "Unknown picture file extension ()"},
      {"transparent.gif", "gif-inside.jpg", "JPEG error: not a JPEG file"},
      {"colour.jpg", "jpeg-inside.gif", "GIF error: not a GIF file"},
      {"corrupt.jpg", "cut.jpg", "JPEG error: premature end of data"},
      {"corrupt.gif", "cut.gif", "GIF error: damaged image data"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleCopy file(c.sample, c.name);
    TPicture picture;
    picture.LoadFromFile(SamplePath("offset.gif"));
    const TGraphic* before = picture.Graphic();
    try {
      picture.LoadFromFile(file.Path());
      ADD_FAILURE() << "no exception";
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(picture.Graphic(), before);
  }
}

TEST(Picture, ExtensionIsTakenFromTheFileNameNotTheFolder) {
  TPicture picture;
  try {
    picture.LoadFromFile(testing::TempDir() + "folder.jpg/picture");
    ADD_FAILURE() << "no exception";
  } catch (const EInvalidGraphic& e) {
    EXPECT_STREQ(e.what(), "Unknown picture file extension ()");
  }
  EXPECT_EQ(picture.Graphic(), nullptr);
}

TEST(Picture, LoadPictureOfATransparentGifGivesOpaqueBlack) {
  TBitmap32 bitmap;
  bitmap.LoadPicture(SamplePath("transparent.gif"));
  ASSERT_EQ(bitmap.Width(), 8);
  ASSERT_EQ(bitmap.Height(), 6);
  EXPECT_EQ(bitmap.GetPixelUnchecked(3, 0), kOpaqueBlack);  // transparent index
  EXPECT_EQ(bitmap.GetPixelUnchecked(0, 0), 0xFFFF0000u);
  for (int i = 0; i < 8 * 6; ++i) EXPECT_EQ(bitmap.Bits()[i] >> 24, 0xFFu);
}

TEST(Picture, LoadPictureOfAJpegMatchesTheDecodedPixels) {
  TJPEGImage image;
  image.LoadFromFile(SamplePath("cmyk.jpg"));
  TBitmap32 bitmap;
  bitmap.LoadPicture(SamplePath("cmyk.jpg"));
  ASSERT_EQ(bitmap.Width(), image.Width());
  ASSERT_EQ(bitmap.Height(), image.Height());
  const std::uint8_t* rgb = image.Rgb().data();
  for (int i = 0; i < image.Width() * image.Height(); ++i, rgb += 3)
    ASSERT_EQ(bitmap.Bits()[i], MakeColour32(rgb[0], rgb[1], rgb[2])) << i;
}

TEST(Picture, FailedLoadPictureLeavesTheBitmapUnchanged) {
  TBitmap32 bitmap;
  bitmap.LoadPicture(SamplePath("offset.gif"));
  const std::vector<TColor32> before(bitmap.Bits(), bitmap.Bits() + 12 * 10);
  for (const char* name : {"corrupt.jpg", "corrupt.gif"}) {
    EXPECT_THROW(bitmap.LoadPicture(SamplePath(name)), EInvalidGraphic) << name;
    ASSERT_EQ(bitmap.Width(), 12);
    ASSERT_EQ(bitmap.Height(), 10);
    EXPECT_EQ(std::vector<TColor32>(bitmap.Bits(), bitmap.Bits() + 12 * 10), before) << name;
  }
}

}  // namespace
}  // namespace quill
