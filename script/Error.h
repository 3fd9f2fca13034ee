#pragma once
// Failures carry the framework's texts; they are shown to the user unchanged.
#include <stdexcept>
#include <string>

namespace orv {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& text) : std::runtime_error(text) {}
};

// "List index out of bounds (%d)"
Error ListIndexError(long long index);
// `Cannot create file "%s". %s`
Error CreateFileError(const std::string& path, const std::string& systemText);
// `Cannot open file "%s". %s`
Error OpenFileError(const std::string& path, const std::string& systemText);
// "Stream write error"
Error StreamWriteError();

// The default handler's rule: a period is appended unless the text already ends
// in a period or in a character that sorts before it.
std::string WithClosingPeriod(const std::string& text);

}  // namespace orv
