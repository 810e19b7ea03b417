// kx27-dump FILE: what the reader makes of an exchange file, as JSON lines.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/drawing_dump.h"
#include "exchange/drawing_state.h"
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
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    std::fprintf(stderr, "kx27-dump: %s: no such file\n", argv[1]);
    return 1;
  }
  kx27::ResetDrawingState();
  const bool complete = kx27::ReadExchangeFile(path);

  std::string out;
  for (const kx27::TOrderEntry& entry : kx27::Store.OrderList) {
    kx27::AppendElementJson(out, entry);
    if (out.size() >= kFlushSize) Flush(out);
  }
  kx27::AppendStateJson(out);
  Flush(out);
  if (std::fflush(stdout) != 0) return 1;
  // What was read is shown either way, but a read cut short is no success.
  if (!complete) {
    std::fprintf(stderr, "kx27-dump: %s: reading stopped early\n", argv[1]);
    return 1;
  }
  return 0;
}
