// The file layer on Windows: the A functions, bytes in the ANSI code page.
#include <windows.h>

#include <algorithm>
#include <atomic>

#include "Error.h"
#include "Handles.h"
#include "Platform.h"

namespace orv {

std::string SystemErrorText(unsigned long code) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string text(buffer ? buffer : "", buffer ? length : 0);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOf(std::string(path, length));
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string ReadWholeFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw OpenFileError(path, SystemErrorText(GetLastError()));
  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
    bytes.reserve(static_cast<size_t>(size.QuadPart));
  char chunk[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
      throw OpenFileError(path, SystemErrorText(GetLastError()));
    if (got == 0) break;
    bytes.append(chunk, got);
  }
  return bytes;
}

namespace {

// A temporary file beside the target; removed unless committed.
class TempFile {
 public:
  explicit TempFile(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    char name[40];
    wsprintfA(name, "~orv%lx%x.tmp", GetCurrentProcessId(), counter++);
    path_ = FolderOf(target) + name;
  }
  ~TempFile() {
    file_.reset();
    if (!committed_) DeleteFileA(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }
  FileHandle& file() { return file_; }
  void Committed() { committed_ = true; }

 private:
  std::string path_;
  FileHandle file_;
  bool committed_ = false;
};

}  // namespace

void ReplaceFileContents(const std::string& path, std::string_view bytes) {
  // A target that could not be opened for writing in place (read-only, held open by another
  // program) stays as it is, with the error that opening it would give.
  {
    FileHandle probe(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD error = probe ? ERROR_SUCCESS : GetLastError();
    // Said outright too: where the file system grants everything (Wine run by root), the
    // attribute alone would not stop the open.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (error == ERROR_SUCCESS && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY))
      error = ERROR_ACCESS_DENIED;
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      throw CreateFileError(path, SystemErrorText(error));
  }
  TempFile temp(path);
  temp.file().reset(CreateFileA(temp.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!temp.file()) {
    // Report what creating the target itself would have met (missing folder, no access).
    throw CreateFileError(path, SystemErrorText(GetLastError()));
  }
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(temp.file().get(), bytes.data() + done, want, &wrote, nullptr) || wrote != want)
      throw StreamWriteError();
    done += wrote;
  }
  if (!FlushFileBuffers(temp.file().get())) throw StreamWriteError();
  temp.file().reset();
  if (!MoveFileExA(temp.path().c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw CreateFileError(path, SystemErrorText(GetLastError()));
  temp.Committed();
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry{};
  FindHandle find(FindFirstFileA((folder + "*").c_str(), &entry));
  if (!find) return names;
  do {
    const std::string name = entry.cFileName;
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      names.push_back(name);
  } while (FindNextFileA(find.get(), &entry));
  return names;
}

bool CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr); }

bool CopyFileOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE);
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace orv
