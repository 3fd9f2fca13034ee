#include "TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "Platform.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace orv::test {

TempFolder::TempFolder() {
  static int counter = 0;
  const fs::path base = fs::temp_directory_path();
  for (;;) {
    fs::path candidate =
        base / ("orvella-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string() + kPathSeparator;
      break;
    }
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Read-only files made by a test must not keep the folder alive.
  for (auto it = fs::recursive_directory_iterator(path_, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return fs::exists(path, ignored);
}

void MakeFolder(const std::string& path) { fs::create_directories(path); }

std::string ListingOf(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored))
    names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
  std::sort(names.begin(), names.end());
  std::ostringstream out;
  for (const auto& name : names) out << name << ' ';
  return out.str();
}

}  // namespace orv::test
