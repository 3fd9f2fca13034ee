// Saves that fail: the exact message, the old file byte-identical, no temporary file left.
#include <gtest/gtest.h>

#include <string>

#include "Document.h"
#include "Error.h"
#include "Platform.h"
#include "ScriptFile.h"
#include "TestFiles.h"

#ifdef _WIN32
#include <windows.h>
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
  for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;) message.append(chunk, got);
  ::close(pipeEnds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(message, "Stream write error");
  EXPECT_EQ(test::ReadBytes(path), kOld);
  EXPECT_EQ(test::ListingOf(dir.path()), "s.js ");
}
#endif

}  // namespace
}  // namespace orv
