#include "quill/cli/ScratchFolder.h"

#include <chrono>
#include <random>
#include <string>
#include <system_error>

namespace quill {
namespace {

namespace fs = std::filesystem;

constexpr int kNameAttempts = 100;

// A folder of a new name under the system's temporary folder, readable by its
// owner only. Names are random, so runs side by side never share one;
// create_directory reports a name already taken instead of reusing it.
fs::path MakeUniqueFolder() {
  const fs::path base = fs::temp_directory_path();
  std::mt19937_64 random(std::random_device{}() ^
                         std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const fs::path candidate = base / ("quill-cli-" + std::to_string(random() % 1000000000000ull));
    if (fs::create_directory(candidate)) {
      fs::permissions(candidate, fs::perms::owner_all, fs::perm_options::replace);
      return candidate;
    }
  }
  throw fs::filesystem_error("cannot make a temporary folder", base, std::make_error_code(std::errc::file_exists));
}

}  // namespace

TScratchFolder::TScratchFolder(bool enter) : previous_(fs::current_path()), path_(MakeUniqueFolder()) {
  if (!enter) return;
  try {
    fs::current_path(path_);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
    throw;
  }
}

TScratchFolder::~TScratchFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  fs::remove_all(path_, ignored);
}

}  // namespace quill
