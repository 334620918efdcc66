// libFuzzer entry point for the start-up conversion of the bookmark files. The
// input lays out one folder: its first byte says which of "lounges.dat",
// "lounges.txt" and "bookmark.dat" are there (bits 0-2) and which of them are
// folders instead of files (bits 3-5); the rest holds their contents in that
// order, split at kSeparator. The conversion runs on a private temporary folder.
// It must succeed or raise EInOutError. An existing store is left exactly as
// it was and every one of its records decodes; a new store holds one record per
// line of the older files (at least one for "lounges.txt", which is read in any
// case) or the two defaults, each field within its capacity and zero after its
// string.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/FuzzOutcome.h"
#include "quill/platform/InOutError.h"
#include "quill/shell/BookmarkStore.h"

namespace {

namespace fs = std::filesystem;

constexpr char kSeparator[] = "\n\x01\xFE\n";

void Check(bool condition) {
  if (!condition) std::abort();
}

// One folder per process, emptied before each input and removed at the end.
class TScratchFolder {
 public:
  TScratchFolder() {
    std::random_device random;
    do {
      path_ = fs::temp_directory_path() / ("quill-bookmark-fuzz-" + std::to_string(random()));
    } while (!fs::create_directory(path_));
  }
  ~TScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

const fs::path& Folder() {
  static const TScratchFolder folder;
  return folder.Path();
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The records the conversion writes for one older file: one per line, a last
// line without its LF included, and one for an empty file.
std::size_t LinesIn(const std::string& text) {
  std::size_t lines = 0;
  for (char c : text) lines += c == '\n';
  if (!text.empty() && text.back() != '\n') ++lines;
  return lines == 0 ? 1 : lines;
}

void CheckField(const quill::TBookmarkRecord& record, int offset, int capacity) {
  const int length = record[std::size_t(offset)];
  Check(length <= capacity);
  for (int i = offset + 1 + length; i <= offset + capacity; ++i) Check(record[std::size_t(i)] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned present = data[0] & 7u, folders = (data[0] >> 3) & 7u;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string contents[3];
  for (std::size_t start = 0, i = 0; i < 3 && start <= rest.size(); ++i) {
    const std::size_t end = std::min(rest.find(kSeparator, start), rest.size());
    contents[i] = rest.substr(start, end - start);
    start = end + sizeof kSeparator - 1;
  }

  const fs::path& folder = Folder();
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
  const char* const names[3] = {quill::kBookmarkStoreName, quill::kOldBookmarkStoreName, quill::kBookmarkListName};
  bool isFile[3];
  for (int i = 0; i < 3; ++i) {
    isFile[i] = false;
    if (!(present & (1u << i))) continue;
    const fs::path path = folder / names[i];
    if (folders & (1u << i)) {
      fs::create_directory(path);
    } else {
      std::ofstream(path, std::ios::binary) << contents[i];
      isFile[i] = true;
    }
  }

  try {
    quill::InitBookmarkStore(folder.string());
  } catch (const quill::EInOutError&) {
    return quill::fuzzoutcome::State(quill::fuzzoutcome::TOutcome::Refused);
  }
  quill::fuzzoutcome::State(quill::fuzzoutcome::TOutcome::Loads);
  const std::string store = ReadAll(folder / quill::kBookmarkStoreName);
  if (isFile[0]) Check(store == contents[0]);
  if (!isFile[0]) {
    const std::size_t records =
        !isFile[1] ? quill::DefaultBookmarks().size() : LinesIn(contents[1]) + (isFile[2] ? LinesIn(contents[2]) : 0);
    Check(store.size() == records * quill::kBookmarkRecordSize);
  }
  for (std::size_t at = 0; at + quill::kBookmarkRecordSize <= store.size(); at += quill::kBookmarkRecordSize) {
    quill::TBookmarkRecord record;
    std::copy(store.begin() + std::ptrdiff_t(at), store.begin() + std::ptrdiff_t(at) + quill::kBookmarkRecordSize,
              reinterpret_cast<char*>(record.data()));
    const quill::TBookmark bookmark = quill::DecodeBookmarkRecord(record);
    Check(quill::DecodeBookmarkRecord(quill::EncodeBookmarkRecord(bookmark)) == bookmark);
    if (isFile[0]) continue;
    CheckField(record, quill::kBookmarkNameOffset, quill::kBookmarkNameCapacity);
    CheckField(record, quill::kBookmarkCategoryOffset, quill::kBookmarkCategoryCapacity);
    CheckField(record, quill::kBookmarkVerifiedOffset, quill::kBookmarkVerifiedCapacity);
    CheckField(record, quill::kBookmarkVisitedOffset, quill::kBookmarkVisitedCapacity);
    CheckField(record, quill::kBookmarkAddressOffset, quill::kBookmarkAddressCapacity);
  }
  return 0;
}
