#pragma once

// Folders laid out as the host leaves them: a copy of the program beside the
// exchange file and, where a test needs one, a settings file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx27::test {

// The kx27.exe under test.
std::filesystem::path ToolProgram();

// Where the dialog's screenshots go, as BMP files.
std::filesystem::path ScreenshotFolder();

// A Linux path as Wine's programs see it (drive Z: is the root).
std::filesystem::path FromHostPath(std::string_view utf8_path);

std::wstring Widen(std::string_view utf8);

// A path for failure messages, in UTF-8.
std::string Utf8(const std::filesystem::path& path);

// The bytes of a file, or nothing when it cannot be read.
std::optional<std::string> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, std::string_view bytes);

// A fresh folder holding a copy of kx27.exe. It is removed when the test
// passed and kept for a look when it failed.
class TestFolder {
 public:
  // Named after the running test.
  TestFolder();
  explicit TestFolder(const std::wstring& name);
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path Program() const { return dir_ / L"kx27.exe"; }
  std::filesystem::path ExchangeFile() const { return dir_ / L"JWC_TEMP.TXT"; }
  std::filesystem::path SettingsFile() const { return dir_ / L"kx27.dat"; }

  void Write(const std::wstring& name, std::string_view bytes) const;
  std::optional<std::string> Read(const std::wstring& name) const;

 private:
  std::filesystem::path dir_;
};

}  // namespace kx27::test
