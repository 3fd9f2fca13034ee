#pragma once
// Temporary folders and whole-file helpers for the core's tests, native and under Wine.
#include <string>

namespace orv::test {

// A fresh folder (path with a trailing separator) removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);  // "" when missing
bool Exists(const std::string& path);            // file or folder
void MakeFolder(const std::string& path);
// Names in a folder (files and folders), sorted.
std::string ListingOf(const std::string& folder);

}  // namespace orv::test
