#pragma once
// The importer driven as a user drives it: a headless main window whose
// process works in the form's scratch folder (where "avedtemp.bmp" goes),
// pictures written there as BMP files, and loading through the open dialog.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "quill/imaging/Bitmap.h"
#include "quill/imaging/Bitmap32.h"
#include "tests/shell/headless_form.h"

namespace quill::test {

// A picture whose every pixel differs from its neighbours: position mixed
// through an integer hash, opaque.
inline TColor32 NoisePixel(int x, int y) {
  std::uint32_t h = std::uint32_t(x) * 0x9E3779B1u ^ std::uint32_t(y) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  return 0xFF000000u | (h & 0x00FFFFFFu);
}

inline void MakeNoisePicture(TBitmap32& bitmap, int width, int height) {
  bitmap.ChangeSize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) bitmap.SetPixelUnchecked(x, y, NoisePixel(x, y));
}

class ImporterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    headless_ =
        std::make_unique<THeadlessForm>(std::string("quill-importer-") + info->name() + "-" + std::to_string(stamp));
    previousDirectory_ = std::filesystem::current_path();
    std::filesystem::current_path(headless_->Dir);
  }
  void TearDown() override {
    std::filesystem::current_path(previousDirectory_);
    headless_.reset();
  }

  TForm1& form() { return headless_->Form(); }
  THeadlessForm& headless() { return *headless_; }

  // Writes a noise picture of the given size as a 24-bit BMP in the scratch
  // folder and returns its path.
  std::string WritePicture(const std::string& name, int width, int height) {
    TBitmap32 picture;
    MakeNoisePicture(picture, width, height);
    TBitmap plain;
    picture.CopyTo(plain);
    plain.SetPixelFormat(pf24bit);
    const std::string path = (headless_->Dir / name).string();
    plain.SaveToFile(path);
    return path;
  }

  // "Load" with the open dialog answering path.
  void Load(const std::string& path) {
    headless_->FileDialog.AnswerWith(path);
    form().SpeedButton20.Click();
  }

  // Start-up resamples bilinearly while the selector shows "Blocky": a user
  // picks another mode and "Blocky" again for pixel-exact copies.
  void ChooseBlocky() {
    form().rgStretchFilter.ClickItem(1);
    form().rgStretchFilter.ClickItem(0);
  }

  std::unique_ptr<THeadlessForm> headless_;
  std::filesystem::path previousDirectory_;
};

}  // namespace quill::test
