#pragma once
// The file system as the core needs it. One implementation per platform, chosen at build
// time: the Win32 A functions on Windows, POSIX calls elsewhere.
#include <string>
#include <string_view>
#include <vector>

namespace orv {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
inline constexpr const char* kFileNameStops = "\\:";
#else
inline constexpr char kPathSeparator = '/';
inline constexpr const char* kFileNameStops = "\\:/";
#endif

// The running executable's folder, with a trailing separator.
std::string ProgramFolder();

// The folder part of a path, with its trailing separator; empty when it has none.
std::string FolderOf(const std::string& path);

// All bytes of a file, opened for reading with read sharing only.
// Throws `Cannot open file "%s". %s`.
std::string ReadWholeFile(const std::string& path);

// Replaces the file at path with bytes, or leaves it untouched on any failure: the bytes go
// to a temporary file in the same folder first, which then takes the target's place and what
// it was (attributes, creation time, security; permissions and owner on POSIX). Where that
// cannot be done but writing the file in place can, it is written in place.
// Throws `Cannot create file "%s". %s` (naming path) or "Stream write error".
void ReplaceFileContents(const std::string& path, std::string_view bytes);

// The n-th name tried for that temporary file: beside the target, named after this process.
// A name that exists already is passed over, so no two processes or saves share one.
std::string TemporaryPathFor(const std::string& target, unsigned n);

// Names of the sub-folders of folder (given with its trailing separator), of every kind,
// hidden ones included, without "." and "..", in the directory listing's order.
std::vector<std::string> ListSubfolders(const std::string& folder);

// One folder level; false when it exists already or cannot be made.
bool CreateFolder(const std::string& path);
// Copies with overwrite; false on failure.
bool CopyFileOver(const std::string& from, const std::string& to);
bool FileExists(const std::string& path);

// Letter case ignored the way the platform's list controls ignore it.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The system's description of an error code, trailing blanks and periods removed.
std::string SystemErrorText(unsigned long code);

}  // namespace orv
