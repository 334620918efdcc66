#include "quill/shell/BookmarkStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include "quill/platform/InOutError.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quill {
namespace {

namespace fs = std::filesystem;

TBookmark Make(std::string name, std::string category, std::string verified, std::string visited, std::string address) {
  return TBookmark{std::move(name), std::move(category), std::move(verified), std::move(visited), std::move(address)};
}

TBookmark Converted(std::string name, std::string address) {
  return Make(std::move(name), "General", "Verified", "Never", std::move(address));
}

// A fresh, empty working directory per test.
class BookmarkStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    dir_ = fs::temp_directory_path() / ("quill-bookmarks-" + std::to_string(random()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  std::string Dir() const { return dir_.string(); }
  fs::path PathOf(const char* name) const { return dir_ / name; }

  void WriteFile(const char* name, const std::string& bytes) const {
    std::ofstream out(PathOf(name), std::ios::binary);
    out << bytes;
  }

  std::string ReadFile(const char* name) const {
    std::ifstream in(PathOf(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::vector<TBookmark> StoreRecords() const {
    const std::string bytes = ReadFile(kBookmarkStoreName);
    EXPECT_EQ(bytes.size() % kBookmarkRecordSize, 0u) << "store size " << bytes.size();
    std::vector<TBookmark> records;
    for (std::size_t at = 0; at + kBookmarkRecordSize <= bytes.size(); at += kBookmarkRecordSize) {
      TBookmarkRecord record;
      std::copy_n(bytes.begin() + std::ptrdiff_t(at), kBookmarkRecordSize, record.begin());
      records.push_back(DecodeBookmarkRecord(record));
    }
    return records;
  }

  fs::path dir_;
};

TEST_F(BookmarkStoreTest, NoFilesGivesTheTwoDefaultsIn622Bytes) {
  InitBookmarkStore(Dir());
  EXPECT_EQ(fs::file_size(PathOf(kBookmarkStoreName)), 622u);
  const auto records = StoreRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], DefaultBookmarks()[0]);
  EXPECT_EQ(records[1], DefaultBookmarks()[1]);
}

TEST(BookmarkDefaults, AreGeneralVerifiedNeverOnPort9998) {
  for (const TBookmark& b : DefaultBookmarks()) {
    EXPECT_FALSE(b.Name.empty());
    EXPECT_EQ(b.Category, "General");
    EXPECT_EQ(b.Verified, "Verified");
    EXPECT_EQ(b.Visited, "Never");
    ASSERT_GT(b.Address.size(), 5u);
    EXPECT_EQ(b.Address.substr(b.Address.size() - 5), ":9998");
    EXPECT_EQ(b.Address.find("://"), std::string::npos);
  }
  EXPECT_NE(DefaultBookmarks()[0].Address, DefaultBookmarks()[1].Address);
}

TEST_F(BookmarkStoreTest, AnExistingStoreIsLeftAlone) {
  const std::string existing[] = {"", "x", std::string(311, 'z'), "not a store at all\r\n"};
  for (const std::string& content : existing) {
    WriteFile(kBookmarkStoreName, content);
    WriteFile(kOldBookmarkStoreName, "a,b,c,d,e\r\n");
    WriteFile(kBookmarkListName, "n,lounge://h:1\r\n");
    InitBookmarkStore(Dir());
    EXPECT_EQ(ReadFile(kBookmarkStoreName), content);
  }
}

TEST(SplitOldStoreLine, CutsAtTheFirstFourCommas) {
  struct Case {
    const char* line;
    TBookmark want;
  };
  const Case cases[] = {
      {"a,b,c,d,e,f", Make("a", "b", "c", "d", "e,f")},
      {"x,y", Make("x", "", "", "", "y")},
      {"a,b,c", Make("a", "b", "", "", "c")},
      {"a,b,c,d", Make("a", "b", "c", "", "d")},
      {"a,b,c,d,", Make("a", "b", "c", "d", "")},
      {",b,c,d,e", Make("", "b", "c", "d", "e")},
      {",,,,", Make("", "", "", "", "")},
      {"only", Make("", "", "", "", "only")},
      {"", Make("", "", "", "", "")},
      {"Chat Place,General,Verified,Never,host.example:9998",
       Make("Chat Place", "General", "Verified", "Never", "host.example:9998")},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitOldStoreLine(c.line), c.want) << c.line;
}

TEST(ConvertBookmarkListLine, SplitsAtTheCaseSensitiveMarker) {
  struct Case {
    const char* line;
    TBookmark want;
  };
  const Case cases[] = {
      {"Home,lounge://host.example:9998", Converted("Home", "host.example:9998")},
      {",lounge://h:1", Converted("", "h:1")},
      {"a,lounge://x,lounge://y", Converted("a", "x,lounge://y")},
      {"Home,LOUNGE://host:9998", Converted("", "GE://host:9998")},
      {"Home,Lounge://host:9998", Converted("", "ge://host:9998")},
      {"123456789", Converted("", "")},
      {"1234567890", Converted("", "0")},
      {"short", Converted("", "")},
      {"", Converted("", "")},
      {"Name,lounge://", Converted("Name", "")},
  };
  for (const Case& c : cases) EXPECT_EQ(ConvertBookmarkListLine(c.line), c.want) << c.line;
}

TEST(BookmarkRecord, FieldsSitAtTheirOffsetsWithLengthBytesAndZeroPadding) {
  const TBookmarkRecord r = EncodeBookmarkRecord(Make("ab", "cat", "v", "", "h:1"));
  EXPECT_EQ(r[0], 2);
  EXPECT_EQ(r[1], 'a');
  EXPECT_EQ(r[2], 'b');
  EXPECT_EQ(r[3], 0);
  EXPECT_EQ(r[129], 3);
  EXPECT_EQ(r[130], 'c');
  EXPECT_EQ(r[155], 1);
  EXPECT_EQ(r[156], 'v');
  EXPECT_EQ(r[166], 0);
  EXPECT_EQ(r[182], 3);
  EXPECT_EQ(r[183], 'h');
  EXPECT_EQ(r[185], '1');
  EXPECT_EQ(r[310], 0);
  int nonZero = 0;
  for (std::uint8_t b : r) nonZero += b != 0;
  EXPECT_EQ(nonZero, 2 + 1 + 3 + 1 + 1 + 1 + 3 + 1);
}

TEST(BookmarkRecord, LongValuesAreCutToTheirCapacity) {
  struct Case {
    int offset, capacity;
    std::string TBookmark::*field;
  };
  const Case cases[] = {
      {kBookmarkNameOffset, 128, &TBookmark::Name},        {kBookmarkCategoryOffset, 25, &TBookmark::Category},
      {kBookmarkVerifiedOffset, 10, &TBookmark::Verified}, {kBookmarkVisitedOffset, 15, &TBookmark::Visited},
      {kBookmarkAddressOffset, 128, &TBookmark::Address},
  };
  for (const Case& c : cases) {
    std::string value;
    for (int i = 0; i < 200; ++i) value.push_back(char('A' + i % 26));
    TBookmark b;
    b.*c.field = value;
    const TBookmarkRecord r = EncodeBookmarkRecord(b);
    EXPECT_EQ(r[std::size_t(c.offset)], c.capacity) << c.offset;
    EXPECT_EQ(DecodeBookmarkRecord(r).*c.field, value.substr(0, std::size_t(c.capacity))) << c.offset;
    // The next field's length byte (or the record's end) is untouched by the cut.
    const std::size_t next = std::size_t(c.offset + 1 + c.capacity);
    if (next < r.size()) {
      EXPECT_EQ(r[next], 0) << c.offset;
    }
  }
}

TEST(BookmarkRecord, AValueAtExactlyTheCapacityIsKeptWhole) {
  TBookmark b;
  b.Verified = "0123456789";
  EXPECT_EQ(DecodeBookmarkRecord(EncodeBookmarkRecord(b)).Verified, "0123456789");
}

TEST_F(BookmarkStoreTest, OldStoreLineWithSixFieldsKeepsTheCommaInTheAddress) {
  WriteFile(kOldBookmarkStoreName, "a,b,c,d,e,f\r\n");
  InitBookmarkStore(Dir());
  const auto records = StoreRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], Make("a", "b", "c", "d", "e,f"));
}

TEST_F(BookmarkStoreTest, TwoHundredCharacterNameIsStoredAsItsFirst128) {
  const std::string name(200, 'n');
  WriteFile(kOldBookmarkStoreName, name + ",c,v,s,h:1\r\n");
  InitBookmarkStore(Dir());
  const std::string bytes = ReadFile(kBookmarkStoreName);
  ASSERT_EQ(bytes.size(), 311u);
  EXPECT_EQ(std::uint8_t(bytes[0]), 128);
  EXPECT_EQ(bytes.substr(1, 128), name.substr(0, 128));
  EXPECT_EQ(StoreRecords()[0].Category, "c");
}

TEST_F(BookmarkStoreTest, OldStoreLinesBecomeOneRecordEach) {
  struct Case {
    std::string text;
    std::vector<TBookmark> want;
  };
  const TBookmark empty;
  const Case cases[] = {
      {"", {empty}},  // the loop body runs once even on an empty file
      {"a,b,c,d,e\r\n", {Make("a", "b", "c", "d", "e")}},
      {"a,b,c,d,e", {Make("a", "b", "c", "d", "e")}},
      {"p,,,,1\r\nq,,,,2\r\n", {Make("p", "", "", "", "1"), Make("q", "", "", "", "2")}},
      {"p,,,,1\r\nq,,,,2", {Make("p", "", "", "", "1"), Make("q", "", "", "", "2")}},
      {"p,,,,1\r\n\r\n", {Make("p", "", "", "", "1"), empty}},
      {"\r\n", {empty}},
      {"p,,,,1\nq,,,,2\n", {Make("p", "", "", "", "1"), Make("q", "", "", "", "2")}},
  };
  for (const Case& c : cases) {
    fs::remove(PathOf(kBookmarkStoreName));
    WriteFile(kOldBookmarkStoreName, c.text);
    InitBookmarkStore(Dir());
    EXPECT_EQ(StoreRecords(), c.want) << "text: " << c.text;
  }
}

TEST_F(BookmarkStoreTest, BookmarkListFollowsTheOldStore) {
  WriteFile(kOldBookmarkStoreName, "a,b,c,d,e\r\n");
  WriteFile(kBookmarkListName, "Home,lounge://home.example:9998\r\nWork,LOUNGE://work:1\r\n");
  InitBookmarkStore(Dir());
  const std::vector<TBookmark> want = {Make("a", "b", "c", "d", "e"), Converted("Home", "home.example:9998"),
                                       Converted("", "GE://work:1")};
  EXPECT_EQ(StoreRecords(), want);
}

TEST_F(BookmarkStoreTest, EmptyBookmarkListStillGivesOneRecord) {
  WriteFile(kOldBookmarkStoreName, "a,b,c,d,e\r\n");
  WriteFile(kBookmarkListName, "");
  InitBookmarkStore(Dir());
  const std::vector<TBookmark> want = {Make("a", "b", "c", "d", "e"), Converted("", "")};
  EXPECT_EQ(StoreRecords(), want);
}

TEST_F(BookmarkStoreTest, BookmarkListAloneIsIgnoredAndTheDefaultsWritten) {
  WriteFile(kBookmarkListName, "Home,lounge://home.example:9998\r\n");
  InitBookmarkStore(Dir());
  const auto records = StoreRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0], DefaultBookmarks()[0]);
}

TEST_F(BookmarkStoreTest, DeletingTheStoreRepeatsTheConversionAndLeavesTheOldFilesAlone) {
  const std::string oldStore = "a,b,c,d,e\r\nf,g,h,i,j\r\n";
  const std::string list = "Home,lounge://h:1\r\n";
  WriteFile(kOldBookmarkStoreName, oldStore);
  WriteFile(kBookmarkListName, list);
  InitBookmarkStore(Dir());
  const std::string first = ReadFile(kBookmarkStoreName);
  EXPECT_EQ(first.size(), 3u * 311u);

  InitBookmarkStore(Dir());  // store exists: nothing appended
  EXPECT_EQ(ReadFile(kBookmarkStoreName), first);

  fs::remove(PathOf(kBookmarkStoreName));
  InitBookmarkStore(Dir());
  EXPECT_EQ(ReadFile(kBookmarkStoreName), first);
  EXPECT_EQ(ReadFile(kOldBookmarkStoreName), oldStore);
  EXPECT_EQ(ReadFile(kBookmarkListName), list);
}

TEST_F(BookmarkStoreTest, MissingFolderRaisesPathNotFound) {
  const std::string missing = (dir_ / "no-such-folder").string();
  try {
    InitBookmarkStore(missing);
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), kIoPathNotFound);
    EXPECT_STREQ(e.what(), "Path not found");
  }
}

TEST_F(BookmarkStoreTest, FolderInPlaceOfTheStoreRaisesAccessDenied) {
  fs::create_directory(PathOf(kBookmarkStoreName));
  try {
    InitBookmarkStore(Dir());
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.ErrorCode(), kIoAccessDenied);
    EXPECT_STREQ(e.what(), "File access denied");
  }
}

#ifdef __linux__
TEST_F(BookmarkStoreTest, FullDiskIsReportedWhenTheStoreIsClosed) {
  fs::create_symlink("/dev/full", PathOf(kBookmarkStoreName));
  try {
    InitBookmarkStore(Dir());
    FAIL() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Disk full");
  }
}
#endif

#ifndef _WIN32
TEST_F(BookmarkStoreTest, UnreadableOldStoreLeavesAnEmptyStoreThatIsNotRetried) {
  if (geteuid() == 0) GTEST_SKIP() << "file permissions do not bind the superuser";
  WriteFile(kOldBookmarkStoreName, "a,b,c,d,e\r\n");
  fs::permissions(PathOf(kOldBookmarkStoreName), fs::perms::none);
  EXPECT_THROW(InitBookmarkStore(Dir()), EInOutError);
  EXPECT_EQ(fs::file_size(PathOf(kBookmarkStoreName)), 0u);
  fs::permissions(PathOf(kOldBookmarkStoreName), fs::perms::owner_all);
  InitBookmarkStore(Dir());
  EXPECT_EQ(fs::file_size(PathOf(kBookmarkStoreName)), 0u);
}
#endif

}  // namespace
}  // namespace quill
