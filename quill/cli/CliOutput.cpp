#include "quill/cli/CliOutput.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

#include "quill/cli/CliOptions.h"
#include "quill/imaging/Bitmap.h"
#include "quill/imaging/DIB.h"

namespace quill {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> WithFileHeader(const std::vector<std::uint8_t>& dib, std::size_t pixelOffset) {
  const auto header = MakeBmpFileHeader(std::uint32_t(dib.size()), std::uint32_t(pixelOffset));
  std::vector<std::uint8_t> file(header.size() + dib.size());
  std::copy(header.begin(), header.end(), file.begin());
  std::copy(dib.begin(), dib.end(), file.begin() + std::ptrdiff_t(header.size()));
  return file;
}

}  // namespace

std::vector<std::uint8_t> BmpFileOfPackedDIB(const std::vector<std::uint8_t>& dib) {
  // The image checks the header and that the block holds its table and rows.
  const TDIBImage image(dib);
  return WithFileHeader(dib, image.PixelOffset());
}

std::vector<std::uint8_t> Rgb24BmpOfPackedDIB(const std::vector<std::uint8_t>& dib) {
  const TDIBImage image(dib);
  const std::vector<std::uint8_t> file = WithFileHeader(dib, image.PixelOffset());
  TBitmap bitmap;
  bitmap.LoadFromStream(file.data(), file.size());
  bitmap.SetPixelFormat(pf24bit);
  return bitmap.SaveToStream();
}

bool OutputIsFolder(const std::vector<std::string>& pictures, const std::string& out) {
  std::error_code ignored;
  const bool endsInSeparator = !out.empty() && (out.back() == '/' || out.back() == '\\');
  return pictures.size() > 1 || endsInSeparator || fs::is_directory(out, ignored);
}

std::vector<std::string> OutputPaths(const std::vector<std::string>& pictures, const std::string& out) {
  if (!OutputIsFolder(pictures, out)) return {out};
  std::vector<std::string> paths;
  std::map<std::string, std::string> takenBy;
  for (const std::string& picture : pictures) {
    const std::string path = (fs::path(out) / fs::path(picture).filename().replace_extension(".bmp")).string();
    // Names that differ only in case are one file on Windows.
    std::string key = path;
    for (char& c : key) c = char(std::tolower(static_cast<unsigned char>(c)));
    const auto [at, added] = takenBy.emplace(key, picture);
    if (!added) throw ECliUsage(picture + " and " + at->second + " would both be written to " + path);
    paths.push_back(path);
  }
  return paths;
}

TAbsolutePaths AbsolutePaths(const std::vector<std::string>& pictures, const std::string& out) {
  TAbsolutePaths paths{{}, OutputPaths(pictures, out)};
  for (std::string& path : paths.Outs) path = fs::absolute(path).string();
  for (const std::string& picture : pictures) paths.Pictures.push_back(fs::absolute(picture).string());
  return paths;
}

}  // namespace quill
