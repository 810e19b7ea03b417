// kx27-dump FILE: what the reader makes of an exchange file, as JSON lines.

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/dump/drawing_dump.h"
#include "exchange/reader.h"

namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;

void Flush(std::string& out) {
  std::fwrite(out.data(), 1, out.size(), stdout);
  out.clear();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: kx27-dump FILE\n", stderr);
    return 2;
  }
  const std::filesystem::path path(argv[1]);
  const kx27::TExchangeRead read = kx27::ReadExchangeFile(path);
  if (read.Status == kx27::TReadStatus::kMissing) {
    std::fprintf(stderr, "kx27-dump: %s: no such file\n", argv[1]);
    return 1;
  }
  const bool complete = read.Status == kx27::TReadStatus::kComplete;

  std::string out;
  for (const kx27::TOrderEntry& entry : read.Drawing.Store.OrderList) {
    kx27::AppendElementJson(out, read.Drawing.Store, entry);
    if (out.size() >= kFlushSize) Flush(out);
  }
  kx27::AppendStateJson(out, read.Drawing.State);
  Flush(out);
  if (std::fflush(stdout) != 0) return 1;
  // What was read is shown either way, but a read cut short is no success.
  if (!complete) {
    std::fprintf(stderr, "kx27-dump: %s: reading stopped early\n", argv[1]);
    return 1;
  }
  return 0;
}
