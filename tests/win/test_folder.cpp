#include "tests/win/test_folder.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <system_error>

#include <gtest/gtest.h>

namespace kx27::test {
namespace {

std::filesystem::path RunsRoot() { return FromHostPath(KX27_RUNS_DIR); }

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(info->test_suite_name()) + "." + info->name();
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return Widen(name);
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                       nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

std::filesystem::path ToolProgram() { return FromHostPath(KX27_EXE_PATH); }

std::filesystem::path ScreenshotFolder() { return FromHostPath(KX27_SCREENSHOT_DIR); }

std::filesystem::path FromHostPath(std::string_view utf8_path) {
  std::wstring path = Widen(utf8_path);
  if (path.starts_with(L"/")) path.insert(0, L"Z:");
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  return path;
}

std::string Utf8(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

std::optional<std::string> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) ADD_FAILURE() << "cannot write " << Utf8(file);
}

TestFolder::TestFolder() : TestFolder(CurrentTestName()) {}

TestFolder::TestFolder(const std::wstring& name) : dir_(RunsRoot() / name) {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
  std::filesystem::create_directories(dir_, ec);
  if (ec) ADD_FAILURE() << "cannot create the test folder: " << ec.message();
  std::filesystem::copy_file(ToolProgram(), Program(), ec);
  if (ec) ADD_FAILURE() << "cannot copy " << Utf8(ToolProgram()) << ": " << ec.message();
}

TestFolder::~TestFolder() {
  if (::testing::Test::HasFailure()) return;
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

void TestFolder::Write(const std::wstring& name, std::string_view bytes) const {
  WriteBytes(dir_ / name, bytes);
}

std::optional<std::string> TestFolder::Read(const std::wstring& name) const {
  return ReadBytes(dir_ / name);
}

}  // namespace kx27::test
