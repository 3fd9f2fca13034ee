// The file layer on POSIX systems, for the native build and its tests.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "Error.h"
#include "Platform.h"

namespace orv {

namespace {

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

std::string SystemErrorText(unsigned long code) {
  std::string text = std::strerror(static_cast<int>(code));
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::string ProgramFolder() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? FolderOf(std::string(path, length)) : std::string();
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string ReadWholeFile(const std::string& path) {
  Fd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file) throw OpenFileError(path, SystemErrorText(errno));
  struct stat info {};
  if (::fstat(file.get(), &info) == 0 && S_ISDIR(info.st_mode))
    throw OpenFileError(path, SystemErrorText(EISDIR));
  std::string bytes;
  if (info.st_size > 0) bytes.reserve(static_cast<size_t>(info.st_size));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw OpenFileError(path, SystemErrorText(errno));
    if (got == 0) break;
    bytes.append(chunk, static_cast<size_t>(got));
  }
  return bytes;
}

namespace {

// Every byte, or "Stream write error".
void WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) throw StreamWriteError();
    done += static_cast<size_t>(wrote);
  }
  if (::fsync(fd) != 0) throw StreamWriteError();
}

// A temporary file beside the target that this process created; removed unless kept.
class TempFile {
 public:
  explicit TempFile(const std::string& target) {
    // A name that exists already, a leftover or another's, is passed over, never reused.
    for (unsigned n = 0; n < 1000; ++n) {
      path_ = TemporaryPathFor(target, n);
      file_.reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if ((created_ = static_cast<bool>(file_)) || errno != EEXIST) return;
    }
  }
  ~TempFile() { Remove(); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool Created() const { return created_; }
  const std::string& path() const { return path_; }
  int fd() const { return file_.get(); }
  void Close() { file_.reset(); }
  void Kept() { kept_ = true; }
  void Remove() {
    file_.reset();
    if (created_ && !kept_) ::unlink(path_.c_str());
    created_ = false;
  }

 private:
  std::string path_;
  Fd file_;
  bool created_ = false, kept_ = false;
};

// What a save without a temporary file does: the target created or emptied, then written.
void WriteInPlace(const std::string& path, std::string_view bytes) {
  Fd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!file) throw CreateFileError(path, SystemErrorText(errno));
  WriteAll(file.get(), bytes);
}

}  // namespace

std::string TemporaryPathFor(const std::string& target, unsigned n) {
  return FolderOf(target) + "~orv" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".tmp";
}

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  // A read-only target stays as it is, as it would where files are opened for writing in place
  // (rename alone would replace it).
  struct stat target {};
  const bool exists = ::stat(path.c_str(), &target) == 0;
  if (exists && S_ISDIR(target.st_mode)) throw CreateFileError(path, SystemErrorText(EISDIR));
  if (exists && !(target.st_mode & S_IWUSR)) throw CreateFileError(path, SystemErrorText(EACCES));

  // Where the temporary file cannot be made, or cannot take the target's place, the target is
  // written in place, as a save without one would be, with that way's errors: what the atomic
  // way adds must never make a save fail.
  TempFile temp(path);
  if (!temp.Created()) return WriteInPlace(path, bytes);
  // The replacement is the target as it was: its owner, where this user may give a file away,
  // and its permissions (after the owner: a change of owner clears the set-id bits).
  if (exists && ::fchown(temp.fd(), target.st_uid, target.st_gid) != 0) errno = 0;
  if (exists) ::fchmod(temp.fd(), target.st_mode & 07777);
  WriteAll(temp.fd(), bytes);
  temp.Close();
  if (::rename(temp.path().c_str(), path.c_str()) == 0) return temp.Kept();
  temp.Remove();  // its room is the target's now
  WriteInPlace(path, bytes);
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    struct stat info {};
    if (::stat((folder + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) names.push_back(name);
  }
  return names;
}

bool CreateFolder(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

bool CopyFileOver(const std::string& from, const std::string& to) {
  try {
    ReplaceFileContents(to, ReadWholeFile(from));
    return true;
  } catch (const Error&) {
    return false;
  }
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace orv
