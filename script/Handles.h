#pragma once
// Owning wrappers for kernel handles.
#include <windows.h>

namespace orv {

template <typename Traits>
class UniqueHandle {
 public:
  using Raw = typename Traits::Raw;
  UniqueHandle() = default;
  explicit UniqueHandle(Raw raw) : raw_(raw) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : raw_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Raw get() const { return raw_; }
  explicit operator bool() const { return raw_ != Traits::Invalid(); }
  Raw release() {
    Raw raw = raw_;
    raw_ = Traits::Invalid();
    return raw;
  }
  void reset(Raw raw = Traits::Invalid()) {
    if (*this) Traits::Close(raw_);
    raw_ = raw;
  }

 private:
  Raw raw_ = Traits::Invalid();
};

struct FileTraits {
  using Raw = HANDLE;
  static Raw Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Raw h) { CloseHandle(h); }
};
struct FindTraits {
  using Raw = HANDLE;
  static Raw Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Raw h) { FindClose(h); }
};

// Processes, threads and pipe ends: null when absent.
struct ObjectTraits {
  using Raw = HANDLE;
  static Raw Invalid() { return nullptr; }
  static void Close(Raw h) { CloseHandle(h); }
};

using FileHandle = UniqueHandle<FileTraits>;
using ObjectHandle = UniqueHandle<ObjectTraits>;
using FindHandle = UniqueHandle<FindTraits>;

}  // namespace orv
