// Writer and reader against one plain write or read of the same bytes.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Document.h"
#include "Platform.h"
#include "ScriptFile.h"

namespace {

// `panels` panels with realistic texts, or one panel holding about `dataBytes` of data.
orv::ScriptDocument Document(int panels, size_t dataBytes) {
  orv::ScriptDocument doc;
  doc.themes = {"Blue"};
  doc.themeIndex = 0;
  const std::string sep(1, orv::kLineSeparator);
  std::string big;
  while (big.size() < dataBytes) big += "Line with an apostrophe ' and a backslash \\ here" + sep;
  for (int i = 0; i < panels; ++i) {
    doc.PL.Append("Panel's title " + std::to_string(i));
    doc.PHL.Append("200");
    doc.PIL.Append("icons\\ico" + std::to_string(i) + ".gif");
    doc.PEL.Append(i % 2 ? "1" : "0");
    doc.PDL.Append(dataBytes ? big
                             : "First line<br>" + sep + "It's the second \\ line" + sep + "third");
  }
  return doc;
}

std::string TempPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir ? dir : "/tmp") + "/orvella-bench-" + name;
}

void PlainWrite(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  ::close(fd);
}

void Args(benchmark::internal::Benchmark* b) {
  b->Args({50, 0})->Args({500, 0})->Args({5000, 0})->Args({1, 500000})->Args({1, 5000000});
  b->Unit(benchmark::kMicrosecond);
}

void BM_Write(benchmark::State& state) {
  const orv::ScriptDocument doc = Document(int(state.range(0)), size_t(state.range(1)));
  const std::string path = TempPath("w.js");
  for (auto _ : state) orv::WriteScriptFile(doc, path);
  state.SetBytesProcessed(int64_t(state.iterations()) *
                          int64_t(orv::ComposeScriptFile(doc).size()));
  std::remove(path.c_str());
}
BENCHMARK(BM_Write)->Apply(Args);

void BM_PlainWrite(benchmark::State& state) {
  const std::string bytes =
      orv::ComposeScriptFile(Document(int(state.range(0)), size_t(state.range(1))));
  const std::string path = TempPath("p.js");
  for (auto _ : state) PlainWrite(path, bytes);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
  std::remove(path.c_str());
}
BENCHMARK(BM_PlainWrite)->Apply(Args);

// The plain write with the flush the writer does so that a crash cannot leave half a file.
void BM_PlainWriteFlushed(benchmark::State& state) {
  const std::string bytes =
      orv::ComposeScriptFile(Document(int(state.range(0)), size_t(state.range(1))));
  const std::string path = TempPath("f.js");
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
    ::fsync(fd);
    ::close(fd);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
  std::remove(path.c_str());
}
BENCHMARK(BM_PlainWriteFlushed)->Apply(Args);

void BM_Read(benchmark::State& state) {
  const orv::ScriptDocument source = Document(int(state.range(0)), size_t(state.range(1)));
  const std::string path = TempPath("r.js");
  orv::WriteScriptFile(source, path);
  orv::ScriptDocument doc = source;
  for (auto _ : state) orv::ReadScriptFile(doc, path);
  if (doc.PL.Count() != source.PL.Count()) std::abort();
  state.SetBytesProcessed(int64_t(state.iterations()) *
                          int64_t(orv::ComposeScriptFile(source).size()));
  std::remove(path.c_str());
}
BENCHMARK(BM_Read)->Apply(Args);

// The two halves without the file system: composing the bytes, and parsing them.
void BM_Compose(benchmark::State& state) {
  const orv::ScriptDocument doc = Document(int(state.range(0)), size_t(state.range(1)));
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = orv::ComposeScriptFile(doc);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_Compose)->Apply(Args);

void BM_Parse(benchmark::State& state) {
  const std::string bytes =
      orv::ComposeScriptFile(Document(int(state.range(0)), size_t(state.range(1))));
  for (auto _ : state) {
    orv::ScriptContent content = orv::ParseScriptFile(bytes);
    benchmark::DoNotOptimize(content.titles.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_Parse)->Apply(Args);

void BM_PlainRead(benchmark::State& state) {
  const std::string path = TempPath("q.js");
  const std::string bytes =
      orv::ComposeScriptFile(Document(int(state.range(0)), size_t(state.range(1))));
  PlainWrite(path, bytes);
  std::string buffer(bytes.size(), '\0');
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (::read(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size()))
      std::abort();
    ::close(fd);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
  std::remove(path.c_str());
}
BENCHMARK(BM_PlainRead)->Apply(Args);

}  // namespace

BENCHMARK_MAIN();
