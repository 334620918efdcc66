#pragma once
// Whole-file reads and writes with the program's file error texts.
#include <cstdint>
#include <string>
#include <vector>

namespace quill {

// Throws EFileError "Cannot open file \"<path>\"" or "Error reading file \"<path>\"".
// Files larger than maxBytes raise EInvalidGraphic with the picture size message.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path, std::size_t maxBytes = 512u << 20);
// Throws EFileError "Cannot create file \"<path>\"" or "Error writing file \"<path>\"".
void WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace quill
