// Saves that fail: the exact message, the old file byte-identical, no temporary file left; and
// saves that the temporary file must not make fail.
#include <gtest/gtest.h>

#include <string>

#include "Document.h"
#include "Error.h"
#include "Platform.h"
#include "ScriptFile.h"
#include "TestFiles.h"

#ifdef _WIN32
#include <windows.h>

#include "Handles.h"
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace orv {
namespace {

const std::string kOld = "old bytes\r\nthat must survive\r\n";

ScriptDocument SomeDocument() {
  ScriptDocument doc;
  for (const char* title : {"a", "b"}) doc.AppendPanel({title, "1", "i", "1", "d"});
  return doc;
}

std::string SaveError(const std::string& path) {
  try {
    WriteScriptFile(SomeDocument(), path);
  } catch (const Error& e) {
    return e.what();
  }
  return "saved";
}

std::string CreateError(const std::string& path, unsigned long code) {
  return "Cannot create file \"" + path + "\". " + SystemErrorText(code);
}

TEST(SaveFault, MissingFolder) {
  test::TempFolder dir;
  const std::string path = dir / ("none" + std::string(1, kPathSeparator) + "s.js");
#ifdef _WIN32
  EXPECT_EQ(SaveError(path), CreateError(path, ERROR_PATH_NOT_FOUND));
#else
  EXPECT_EQ(SaveError(path), CreateError(path, ENOENT));
#endif
  EXPECT_EQ(test::ListingOf(dir.path()), "");
}

TEST(SaveFault, ReadOnlyTargetIsKept) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
#ifdef _WIN32
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(SaveError(path), CreateError(path, ERROR_ACCESS_DENIED));
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
#else
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(SaveError(path), CreateError(path, EACCES));
  ::chmod(path.c_str(), 0644);
#endif
  EXPECT_EQ(test::ReadBytes(path), kOld);
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
}

TEST(SaveFault, TargetThatIsAFolder) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::MakeFolder(path);
  EXPECT_NE(SaveError(path).find("Cannot create file \"" + path + "\". "), std::string::npos);
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js/ ");
}

#ifndef _WIN32
TEST(SaveFault, WritableTargetKeepsItsPermissions) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(SaveError(path), "saved");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}
#endif

#ifdef _WIN32
TEST(SaveFault, TargetHeldOpenWithoutSharing) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SaveError(path), CreateError(path, ERROR_SHARING_VIOLATION));
  CloseHandle(holder);
  EXPECT_EQ(test::ReadBytes(path), kOld);
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
  EXPECT_EQ(SaveError(path), "saved");
}
#else
// A full disk, by a file-size limit in a child process: the write falls short.
TEST(SaveFault, FullDiskIsAStreamWriteError) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeEnds[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{512, 512};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = SaveError(path);
    ssize_t ignored = ::write(pipeEnds[1], message.data(), message.size());
    (void)ignored;
    ::_exit(0);
  }
  ::close(pipeEnds[1]);
  std::string message;
  char chunk[256];
  for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
    message.append(chunk, got);
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(message, "Stream write error");
  EXPECT_EQ(test::ReadBytes(path), kOld);
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
}
#endif

// Files named like this process's temporary files are someone else's: passed over, kept.
TEST(SaveOver, TemporaryNamesInUseArePassedOverAndKept) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  std::string theirs;
  for (unsigned n = 0; n < 3; ++n) {
    test::WriteBytes(TemporaryPathFor(path, n), "theirs " + std::to_string(n));
    theirs += TemporaryPathFor(path, n).substr(dir.path().size()) + " ";
  }
  ASSERT_EQ(SaveError(path), "saved");
  EXPECT_EQ(test::ReadBytes(path), ComposeScriptFile(SomeDocument()));
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js " + theirs);
  for (unsigned n = 0; n < 3; ++n)
    EXPECT_EQ(test::ReadBytes(TemporaryPathFor(path, n)), "theirs " + std::to_string(n));
}

#ifdef _WIN32
// A target whose path a plain create takes (256 characters) while the temporary name beside it
// would be longer than the A functions take: saved, new and over the old file, all the same.
TEST(SaveOver, ALongPathThatAPlainCreateTakes) {
  test::TempFolder dir;
  const std::string name = "a.js";
  const std::string folder =
      dir.path() + std::string(256 - name.size() - 1 - dir.path().size(), 'f') + "\\";
  test::MakeFolder(folder);
  const std::string path = folder + name;
  ASSERT_EQ(path.size(), 256u);
  ASSERT_GE(TemporaryPathFor(path, 0).size(), size_t{MAX_PATH});
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(SaveError(path), "saved") << round;
    EXPECT_EQ(test::ReadBytes(path), ComposeScriptFile(SomeDocument()));
    EXPECT_EQ(test::ListingOf(folder), name + " ");
  }
}

// Opened by another handle for its attributes only, sharing reading and writing: a plain create
// succeeds, though the file cannot be renamed over.
TEST(SaveOver, ATargetOpenForItsAttributesOnly) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  FileHandle holder(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder);
  ASSERT_EQ(SaveError(path), "saved");
  EXPECT_EQ(test::ReadBytes(path), ComposeScriptFile(SomeDocument()));
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
}

// The replaced file is the file it was: attributes and creation time stay.
TEST(SaveOver, TheTargetKeepsItsAttributesAndCreationTime) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  const FILETIME created{0x12345600, 0x01D00000};  // 2014
  {
    FileHandle file(
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    ASSERT_TRUE(SetFileTime(file.get(), &created, nullptr, nullptr));
  }
  const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));
  WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &before));
  ASSERT_EQ(SaveError(path), "saved");
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &after));
  EXPECT_EQ(test::ReadBytes(path), ComposeScriptFile(SomeDocument()));
  EXPECT_EQ(after.dwFileAttributes, before.dwFileAttributes);
  // Wine on Linux takes a creation time without storing it: there it cannot be checked.
  if (CompareFileTime(&before.ftCreationTime, &created) == 0) {
    EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &created), 0);
  }
}
#else
// The replaced file keeps its owner as well as its permissions.
TEST(SaveOver, TheTargetKeepsItsOwner) {
  test::TempFolder dir;
  const std::string path = dir / "s.js";
  test::WriteBytes(path, kOld);
  if (::chown(path.c_str(), 4321, 4322) != 0) GTEST_SKIP() << "only root can give a file away";
  ASSERT_EQ(SaveError(path), "saved");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 4321u);
  EXPECT_EQ(info.st_gid, 4322u);
}
#endif

}  // namespace
}  // namespace orv
