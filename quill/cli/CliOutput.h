#pragma once
// What quill-cli writes: the BMP files made from what the window's buttons
// leave behind, and where each picture's result goes.
#include <cstdint>
#include <string>
#include <vector>

namespace quill {

// A BMP file of a packed DIB: the 14-byte file header, then the block byte for
// byte. Throws EInvalidGraphic when the block is not a DIB this program reads.
std::vector<std::uint8_t> BmpFileOfPackedDIB(const std::vector<std::uint8_t>& dib);

// A 24-bit BMP file of the picture in a packed DIB (the form in which a
// CF_BITMAP item crosses the clipboard service). Throws like BmpFileOfPackedDIB.
std::vector<std::uint8_t> Rgb24BmpOfPackedDIB(const std::vector<std::uint8_t>& dib);

// Whether the results go into the folder out: for several pictures, and for
// one when out is an existing folder or ends in a path separator.
bool OutputIsFolder(const std::vector<std::string>& pictures, const std::string& out);

// One result path per picture: out itself, or when OutputIsFolder each result
// in out named after its picture ("photos/cat.jpg" -> out/cat.bmp). Throws
// ECliUsage when two pictures would write the same file.
std::vector<std::string> OutputPaths(const std::vector<std::string>& pictures, const std::string& out);

// The pictures and their result paths made absolute, so that a run can move
// its current directory. Throws like OutputPaths.
struct TAbsolutePaths {
  std::vector<std::string> Pictures, Outs;
};
TAbsolutePaths AbsolutePaths(const std::vector<std::string>& pictures, const std::string& out);

}  // namespace quill
