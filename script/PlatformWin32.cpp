// The file layer on Windows: the A functions, bytes in the ANSI code page.
#include <windows.h>

#include <algorithm>
#include <string>

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
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
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

// The temporary file is handled through the wide functions: they take a path too long for the
// A functions (MAX_PATH - 1 characters) in its \\?\ form, up to 32,767 characters, and a
// temporary name longer than the target's must not stop a save that writing the target itself
// would not. Paths are widened by the ANSI code page, as the A functions do themselves.
std::wstring Native(const std::string& path) {
  const int length =
      MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
  if (path.size() < MAX_PATH) return wide;
  std::wstring full(GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(
      GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
  if (full.rfind(L"\\\\?\\", 0) == 0) return full;
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// The temporary file takes the target's place in one rename, and with it what the target was:
// its attributes, creation time and security, which a rename alone would drop. (ReplaceFile
// would carry them over too, but where it is built of two renames, the target is missing in
// between, and a save killed there would lose the file.)
bool ReplaceAt(const std::string& target, const std::string& temp) {
  const std::wstring to = Native(target), from = Native(temp);
  WIN32_FILE_ATTRIBUTE_DATA was{};
  if (GetFileAttributesExW(to.c_str(), GetFileExInfoStandard, &was)) {
    {
      FileHandle file(
          CreateFileW(from.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      if (file) SetFileTime(file.get(), &was.ftCreationTime, nullptr, nullptr);
    }
    constexpr SECURITY_INFORMATION kDacl = DACL_SECURITY_INFORMATION;
    DWORD size = 0;
    GetFileSecurityW(to.c_str(), kDacl, nullptr, 0, &size);
    std::string descriptor(size, '\0');
    if (size && GetFileSecurityW(to.c_str(), kDacl, descriptor.data(), size, &size))
      SetFileSecurityW(from.c_str(), kDacl, descriptor.data());
    const DWORD kept =
        was.dwFileAttributes & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    SetFileAttributesW(from.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
  }
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// Every byte, or "Stream write error".
void WriteAll(HANDLE file, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr) || wrote != want)
      throw StreamWriteError();
    done += wrote;
  }
  if (!FlushFileBuffers(file)) throw StreamWriteError();
}

// A temporary file beside the target that this process created; deleted unless kept. None
// when no name could be made (Created() is false).
class TempFile {
 public:
  explicit TempFile(const std::string& target) {
    // A name that exists already, a leftover or another's, is skipped, never reused.
    for (unsigned n = 0; n < 1000; ++n) {
      path_ = TemporaryPathFor(target, n);
      file_.reset(CreateFileW(Native(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
      if ((created_ = static_cast<bool>(file_))) return;
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return;
    }
  }
  ~TempFile() { Remove(); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  bool Created() const { return created_; }
  const std::string& path() const { return path_; }
  HANDLE file() const { return file_.get(); }
  void Close() { file_.reset(); }
  void Kept() { kept_ = true; }
  void Remove() {
    file_.reset();
    if (created_ && !kept_) DeleteFileW(Native(path_).c_str());
    created_ = false;
  }

 private:
  std::string path_;
  FileHandle file_;
  bool created_ = false;
  bool kept_ = false;
};

// What a save without a temporary file does: the target created or emptied, then written.
void WriteInPlace(const std::string& path, std::string_view bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw CreateFileError(path, SystemErrorText(GetLastError()));
  WriteAll(file.get(), bytes);
}

}  // namespace

std::string TemporaryPathFor(const std::string& target, unsigned n) {
  char name[48];
  wsprintfA(name, "~orv%lx-%x.tmp", GetCurrentProcessId(), n);
  return FolderOf(target) + name;
}

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
  // Where the temporary file cannot be made, or cannot take the target's place, the target is
  // written in place, as a save without one would be, with that way's errors: what the atomic
  // way adds must never make a save fail.
  TempFile temp(path);
  if (!temp.Created()) return WriteInPlace(path, bytes);
  WriteAll(temp.file(), bytes);
  temp.Close();
  if (ReplaceAt(path, temp.path())) return temp.Kept();
  temp.Remove();  // its room is the target's now
  WriteInPlace(path, bytes);
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
