// Saves killed at random moments, over and over: the file is always one whole version, never a
// mixture of two and never empty. A child process saves two documents in turn and reports each
// save; it is killed after a seeded number of reports (ORVELLA_KILL_SEED replays a run).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <string>

#include "SaveLoop.h"
#include "TestFiles.h"

#ifdef _WIN32
#include <windows.h>

#include "Handles.h"
#else
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace orv {
namespace {

#ifdef _WIN32
// save_loop.exe, started ahead and waiting for the byte that sets it saving: starting a process
// under Wine takes far longer than the saves, so a few are started while another one saves.
class SavingChild {
 public:
  explicit SavingChild(const std::string& target) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE ends[4] = {};
    if (!CreatePipe(&ends[0], &ends[1], &inherit, 0) ||
        !CreatePipe(&ends[2], &ends[3], &inherit, 0))
      return;
    reports_.reset(ends[0]);
    ObjectHandle reportsOut(ends[1]), goIn(ends[2]);
    go_.reset(ends[3]);
    SetHandleInformation(reports_.get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(go_.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = goIn.get();
    start.hStdOutput = reportsOut.get();
    std::string commandLine = "save_loop.exe \"" + target + "\"";
    // Without a console: under Wine a console child brings a console host along, which can
    // outlive the killed child and hold the test's output open.
    PROCESS_INFORMATION child{};
    if (!CreateProcessA(ORVELLA_SAVE_LOOP, commandLine.data(), nullptr, nullptr, TRUE,
                        DETACHED_PROCESS, nullptr, nullptr, &start, &child))
      return;
    process_.reset(child.hProcess);
    CloseHandle(child.hThread);
  }
  ~SavingChild() {
    if (process_) TerminateProcess(process_.get(), 9);
  }
  SavingChild(SavingChild&&) = default;

  bool Started() const { return static_cast<bool>(process_); }
  // Sets it saving, waits for that many saves and kills it wherever it then is.
  void SaveUntilKilled(int reports) {
    DWORD count = 0;
    WriteFile(go_.get(), "g", 1, &count, nullptr);
    char report;
    for (int i = 0; i < reports && ReadFile(reports_.get(), &report, 1, &count, nullptr) && count;
         ++i) {
    }
    TerminateProcess(process_.get(), 9);
    WaitForSingleObject(process_.get(), INFINITE);
    process_.reset();
  }

 private:
  ObjectHandle process_, reports_, go_;
};

class Children {
 public:
  explicit Children(const std::string& target) : target_(target) {
    for (int i = 0; i < 6; ++i) ready_.emplace_back(target_);
  }
  void SaveUntilKilled(int reports) {
    SavingChild next = std::move(ready_.front());
    ready_.pop_front();
    ready_.emplace_back(target_);
    ASSERT_TRUE(next.Started()) << "cannot start " << ORVELLA_SAVE_LOOP;
    next.SaveUntilKilled(reports);
  }

 private:
  std::string target_;
  std::deque<SavingChild> ready_;
};
#else
// A forked child, killed by SIGKILL once it has reported that many saves.
struct Children {
  std::string target;
  void SaveUntilKilled(int reports);
};

void Children::SaveUntilKilled(int reports) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(ends[0]);
    try {
      test::SaveInTurnForever(target, [fd = ends[1]] { return ::write(fd, "s", 1) == 1; });
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  ::close(ends[1]);
  char report;
  for (int i = 0; i < reports && ::read(ends[0], &report, 1) == 1; ++i) {
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  ::close(ends[0]);
}
#endif

TEST(KilledSave, TheFileIsAlwaysOneWholeVersion) {
  test::TempFolder dir;
  const std::string target = dir / "killed.js";
  const std::string versions[] = {ComposeScriptFile(test::SavedInTurn(0)),
                                  ComposeScriptFile(test::SavedInTurn(1))};
  test::WriteBytes(target, versions[0]);
  const char* replay = std::getenv("ORVELLA_KILL_SEED");
  const unsigned seed =
      replay ? static_cast<unsigned>(std::strtoul(replay, nullptr, 10)) : std::random_device{}();
  SCOPED_TRACE("ORVELLA_KILL_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  Children children{target};
  constexpr int kKills = 200;
  int seen[2] = {}, leftovers = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    children.SaveUntilKilled(std::uniform_int_distribution<int>(0, 4)(random));
    if (HasFatalFailure()) return;
    const std::string now = test::ReadBytes(target);
    const int version = now == versions[0] ? 0 : now == versions[1] ? 1 : -1;
    ASSERT_NE(version, -1) << "after kill " << kill << " the file holds " << now.size()
                           << " bytes, neither version (" << versions[0].size() << " or "
                           << versions[1].size() << ")";
    ++seen[version];
    // A save killed between its temporary file and the rename leaves that file behind.
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      if (entry.path().filename() != "killed.js") {
        ++leftovers;
        std::filesystem::remove(entry.path(), ignored);
      }
  }
  EXPECT_GT(seen[0], 0);
  EXPECT_GT(seen[1], 0);
  std::printf(
      "[ seed %u: %d kills; then the first version %d times, the second %d times; %d "
      "temporary files left behind ]\n",
      seed, kKills, seen[0], seen[1], leftovers);
}

}  // namespace
}  // namespace orv
