#pragma once
// The store of chat-server bookmarks, "lounges.dat": fixed 311-byte records of
// length-prefixed strings, kept for the chat tools that read it. The program
// only ever creates it, once, from the older bookmark files or from defaults.
#include <array>
#include <cstdint>
#include <string>

namespace quill {

inline const char* const kBookmarkStoreName = "lounges.dat";
// The older store: name,category,verified,visited,address per CR LF line.
inline const char* const kOldBookmarkStoreName = "lounges.txt";
// The older list: name,lounge://host:port per CR LF line.
inline const char* const kBookmarkListName = "bookmark.dat";

// Record layout: each field is one length byte and then its capacity in bytes.
constexpr int kBookmarkRecordSize = 311;
constexpr int kBookmarkNameOffset = 0, kBookmarkNameCapacity = 128;
constexpr int kBookmarkCategoryOffset = 129, kBookmarkCategoryCapacity = 25;
constexpr int kBookmarkVerifiedOffset = 155, kBookmarkVerifiedCapacity = 10;
constexpr int kBookmarkVisitedOffset = 166, kBookmarkVisitedCapacity = 15;
constexpr int kBookmarkAddressOffset = 182, kBookmarkAddressCapacity = 128;

// The values conversions and defaults write.
inline const char* const kDefaultCategory = "General";
inline const char* const kDefaultVerified = "Verified";
inline const char* const kDefaultVisited = "Never";
constexpr int kDefaultServerPort = 9998;

// Marker between name and address in a line of the older list (case-sensitive).
constexpr char kBookmarkListMarker[] = ",lounge://";

struct TBookmark {
  std::string Name, Category, Verified, Visited, Address;
  friend bool operator==(const TBookmark& a, const TBookmark& b) {
    return a.Name == b.Name && a.Category == b.Category && a.Verified == b.Verified && a.Visited == b.Visited &&
           a.Address == b.Address;
  }
};

using TBookmarkRecord = std::array<std::uint8_t, kBookmarkRecordSize>;

// Each field cut to its capacity and stored with its length byte; the bytes
// after each string are zero.
TBookmarkRecord EncodeBookmarkRecord(const TBookmark& bookmark);
// The inverse, for tools and tests: a length byte above its capacity counts as
// the capacity.
TBookmark DecodeBookmarkRecord(const TBookmarkRecord& record);

// One line of the older store: four fields up to the first four commas, the
// address the rest (commas included); missing commas leave fields empty.
TBookmark SplitOldStoreLine(const std::string& line);
// One line of the older list: the name before the first marker, the address
// after it; without a marker the name is empty and the address is the line from
// its tenth character on.
TBookmark ConvertBookmarkListLine(const std::string& line);
// The two bookmarks a fresh store gets when there is nothing to convert.
const std::array<TBookmark, 2>& DefaultBookmarks();

// Start-up step: creates "lounges.dat" in directory (empty: the current
// directory) unless it exists there, converting "lounges.txt" and then
// "bookmark.dat" when "lounges.txt" is present, else writing the defaults.
// Any file failure raises EInOutError; records written before it stay, so the
// next start finds the store and does not try again.
void InitBookmarkStore(const std::string& directory = "");

}  // namespace quill
