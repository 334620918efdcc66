#include "quill/shell/BookmarkStore.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "quill/platform/InOutError.h"

namespace quill {

namespace {

// A C stream whose every failure becomes the platform's I/O error.
class TCheckedFile {
 public:
  static TCheckedFile OpenForReading(const std::string& path) { return TCheckedFile(path, "rb", ioOpenForReading); }
  static TCheckedFile Create(const std::string& path) { return TCheckedFile(path, "wb", ioCreate); }

  // Reads up to the next LF (dropping a CR before it); true at the end of the
  // file afterwards. A last line without line end counts as a line.
  std::string ReadLine() {
    std::string line;
    for (;;) {
      const int c = std::getc(file_.get());
      if (c == EOF) {
        CheckNoError(ioRead);
        break;
      }
      if (c == '\n') break;
      line.push_back(char(c));
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  bool AtEnd() {
    const int c = std::getc(file_.get());
    if (c == EOF) {
      CheckNoError(ioRead);
      return true;
    }
    std::ungetc(c, file_.get());
    return false;
  }

  void Write(const std::uint8_t* bytes, std::size_t size) {
    errno = 0;
    if (std::fwrite(bytes, 1, size, file_.get()) != size) Fail(ioWrite);
  }

  // Closing flushes what is buffered, so a full disk may only show here.
  void Close() {
    errno = 0;
    if (std::fclose(file_.release()) != 0) Fail(ioClose);
  }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };

  TCheckedFile(const std::string& path, const char* mode, TIoOperation operation) {
    errno = 0;
    file_.reset(std::fopen(path.c_str(), mode));
    if (!file_) Fail(operation);
  }

  void CheckNoError(TIoOperation operation) {
    if (std::ferror(file_.get())) Fail(operation);
  }

  [[noreturn]] static void Fail(TIoOperation operation) {
    throw EInOutError(InOutErrorCodeFromErrno(errno, operation));
  }

  std::unique_ptr<std::FILE, Closer> file_;
};

// A regular file is there (a folder of that name does not count).
bool FileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string PathIn(const std::string& directory, const char* name) {
  if (directory.empty()) return name;
  const char last = directory.back();
  if (last == '/' || last == '\\') return directory + name;
  return directory + "/" + name;
}

void PutField(TBookmarkRecord& record, int offset, int capacity, const std::string& value) {
  const std::size_t length = std::min(value.size(), std::size_t(capacity));
  record[std::size_t(offset)] = std::uint8_t(length);
  std::memcpy(record.data() + offset + 1, value.data(), length);
}

std::string GetField(const TBookmarkRecord& record, int offset, int capacity) {
  const std::size_t length = std::min(std::size_t(record[std::size_t(offset)]), std::size_t(capacity));
  return std::string(reinterpret_cast<const char*>(record.data()) + offset + 1, length);
}

void WriteBookmark(TCheckedFile& store, const TBookmark& bookmark) {
  const TBookmarkRecord record = EncodeBookmarkRecord(bookmark);
  store.Write(record.data(), record.size());
}

}  // namespace

TBookmarkRecord EncodeBookmarkRecord(const TBookmark& bookmark) {
  TBookmarkRecord record{};
  PutField(record, kBookmarkNameOffset, kBookmarkNameCapacity, bookmark.Name);
  PutField(record, kBookmarkCategoryOffset, kBookmarkCategoryCapacity, bookmark.Category);
  PutField(record, kBookmarkVerifiedOffset, kBookmarkVerifiedCapacity, bookmark.Verified);
  PutField(record, kBookmarkVisitedOffset, kBookmarkVisitedCapacity, bookmark.Visited);
  PutField(record, kBookmarkAddressOffset, kBookmarkAddressCapacity, bookmark.Address);
  return record;
}

TBookmark DecodeBookmarkRecord(const TBookmarkRecord& record) {
  TBookmark bookmark;
  bookmark.Name = GetField(record, kBookmarkNameOffset, kBookmarkNameCapacity);
  bookmark.Category = GetField(record, kBookmarkCategoryOffset, kBookmarkCategoryCapacity);
  bookmark.Verified = GetField(record, kBookmarkVerifiedOffset, kBookmarkVerifiedCapacity);
  bookmark.Visited = GetField(record, kBookmarkVisitedOffset, kBookmarkVisitedCapacity);
  bookmark.Address = GetField(record, kBookmarkAddressOffset, kBookmarkAddressCapacity);
  return bookmark;
}

TBookmark SplitOldStoreLine(const std::string& line) {
  std::string rest = line;
  TBookmark bookmark;
  std::string* fields[] = {&bookmark.Name, &bookmark.Category, &bookmark.Verified, &bookmark.Visited};
  for (std::string* field : fields) {
    const std::size_t comma = rest.find(',');
    if (comma == std::string::npos) continue;  // field stays empty, rest unchanged
    *field = rest.substr(0, comma);
    rest.erase(0, comma + 1);
  }
  bookmark.Address = rest;
  return bookmark;
}

TBookmark ConvertBookmarkListLine(const std::string& line) {
  // Without a marker the address still skips as many characters as a name of
  // nothing plus the marker would have taken.
  constexpr std::size_t kMarkerLength = sizeof kBookmarkListMarker - 1;
  constexpr std::size_t kAddressStartWithoutMarker = kMarkerLength - 1;
  TBookmark bookmark;
  const std::size_t marker = line.find(kBookmarkListMarker);
  if (marker != std::string::npos) {
    bookmark.Name = line.substr(0, marker);
    bookmark.Address = line.substr(marker + kMarkerLength);
  } else if (line.size() > kAddressStartWithoutMarker) {
    bookmark.Address = line.substr(kAddressStartWithoutMarker);
  }
  bookmark.Category = kDefaultCategory;
  bookmark.Verified = kDefaultVerified;
  bookmark.Visited = kDefaultVisited;
  return bookmark;
}

const std::array<TBookmark, 2>& DefaultBookmarks() {
  static const std::array<TBookmark, 2> defaults = {{
      {"Lounge Central", kDefaultCategory, kDefaultVerified, kDefaultVisited,
       "central.lounge-chat.example:" + std::to_string(kDefaultServerPort)},
      {"Lounge West", kDefaultCategory, kDefaultVerified, kDefaultVisited,
       "west.lounge-chat.example:" + std::to_string(kDefaultServerPort)},
  }};
  return defaults;
}

void InitBookmarkStore(const std::string& directory) {
  const std::string storePath = PathIn(directory, kBookmarkStoreName);
  if (FileExists(storePath)) return;

  const std::string oldStorePath = PathIn(directory, kOldBookmarkStoreName);
  if (!FileExists(oldStorePath)) {
    TCheckedFile store = TCheckedFile::Create(storePath);
    for (const TBookmark& bookmark : DefaultBookmarks()) WriteBookmark(store, bookmark);
    store.Close();
    return;
  }

  TCheckedFile store = TCheckedFile::Create(storePath);
  TCheckedFile oldStore = TCheckedFile::OpenForReading(oldStorePath);
  // At least one record, even from an empty file: the loop tests for the end
  // only after a line.
  do {
    WriteBookmark(store, SplitOldStoreLine(oldStore.ReadLine()));
  } while (!oldStore.AtEnd());
  oldStore.Close();

  const std::string listPath = PathIn(directory, kBookmarkListName);
  if (FileExists(listPath)) {
    TCheckedFile list = TCheckedFile::OpenForReading(listPath);
    do {
      WriteBookmark(store, ConvertBookmarkListLine(list.ReadLine()));
    } while (!list.AtEnd());
    list.Close();
  }
  store.Close();
}

}  // namespace quill
