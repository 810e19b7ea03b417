#include "tests/win/test_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <system_error>

#include <gtest/gtest.h>

namespace kx27::test {
namespace {

std::wstring Widen(std::string_view utf8) {
  const int length = static_cast<int>(utf8.size());
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), length)));
  return wide;
}

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return Widen(name);
}

}  // namespace

std::filesystem::path FromHostPath(std::string_view utf8_path) {
  std::wstring path = Widen(utf8_path);
  if (path.starts_with(L"/")) path.insert(0, L"Z:");
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

TestFolder::TestFolder(std::wstring name)
    : dir_(FromHostPath(KX27_RUNS_DIR) / (name.empty() ? CurrentTestName() : name)) {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
  std::filesystem::create_directories(dir_, ec);
  if (ec) ADD_FAILURE() << "cannot create the test folder: " << ec.message();
  std::filesystem::copy_file(FromHostPath(KX27_EXE_PATH), Program(), ec);
  if (ec) ADD_FAILURE() << "cannot copy " << KX27_EXE_PATH << ": " << ec.message();
}

TestFolder::~TestFolder() {
  if (::testing::Test::HasFailure()) return;
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void TestFolder::Write(const std::filesystem::path& name, std::string_view bytes) const {
  std::filesystem::create_directories((dir_ / name).parent_path());
  std::ofstream out(dir_ / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write a file of the test folder";
}

std::optional<std::string> TestFolder::Read(const std::filesystem::path& name) const {
  std::ifstream in(dir_ / name, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kx27::test
