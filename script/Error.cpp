#include "Error.h"

namespace orv {

Error ListIndexError(long long index) {
  return Error("List index out of bounds (" + std::to_string(index) + ")");
}

Error CreateFileError(const std::string& path, const std::string& systemText) {
  return Error("Cannot create file \"" + path + "\". " + systemText);
}

Error OpenFileError(const std::string& path, const std::string& systemText) {
  return Error("Cannot open file \"" + path + "\". " + systemText);
}

Error StreamWriteError() { return Error("Stream write error"); }

std::string WithClosingPeriod(const std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) <= '.') return text;
  return text + ".";
}

}  // namespace orv
