#pragma once
// The writer's output: bytes filled by pointer into room sized beforehand for the worst case,
// so that the hot loops copy whole runs without growing anything. The room is a hard bound:
// a sizing fault throws before a byte lands outside it.
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>

#include "ByteScan.h"
#include "Document.h"

namespace orv {

// How a text is written: as it is, escaped (titles, icons), or escaped with its line
// separators as backslash-n (data).
enum class Item { Plain, Escaped, Data };

class WriteBuffer {
 public:
  explicit WriteBuffer(size_t room)
      : bytes_(new char[room]), end_(bytes_.get()), limit_(bytes_.get() + room) {}

  void Put(std::string_view text) {
    if (text.empty()) return;  // an empty view may have no data pointer
    Reserve(text.size());
    std::memcpy(end_, text.data(), text.size());
    end_ += text.size();
  }
  void Put(char c) {
    Reserve(1);
    *end_++ = c;
  }
  std::string_view View() const { return {bytes_.get(), static_cast<size_t>(end_ - bytes_.get())}; }

  // The text with a backslash before each apostrophe and backslash and, for data, the line
  // separator as backslash-n; runs without such a byte are copied whole.
  void PutItem(std::string_view text, Item kind) {
    if (kind == Item::Plain) return Put(text);
    const bool data = kind == Item::Data;
    const char separator = data ? kLineSeparator : '\'';
    size_t start = 0;
    for (size_t i; (i = FindAnyOf(text, start, '\'', '\\', separator)) < text.size();
         start = i + 1) {
      Put(text.substr(start, i - start));
      Reserve(2);
      end_[0] = '\\';
      end_[1] = data && text[i] == kLineSeparator ? 'n' : text[i];
      end_ += 2;
    }
    Put(text.substr(start));
  }

 private:
  void Reserve(size_t count) const {
    if (count > static_cast<size_t>(limit_ - end_))
      throw std::length_error("the script file outgrew the room reserved for it");
  }

  std::unique_ptr<char[]> bytes_;
  char* end_;
  char* const limit_;
};

}  // namespace orv
