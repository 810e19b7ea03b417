#pragma once

// Folders laid out as the host leaves them: a copy of the program beside the
// exchange file and, where a test needs one, a settings file.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kx27::test {

// A Linux path as Wine's programs see it (drive Z: is the root).
std::filesystem::path FromHostPath(std::string_view utf8_path);

// A fresh folder holding a copy of kx27.exe. It is removed when the test
// passed and kept for a look when it failed.
class TestFolder {
 public:
  // Named after the running test unless given a name.
  explicit TestFolder(std::wstring name = {});
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Dir() const { return dir_; }
  std::filesystem::path Program() const { return dir_ / L"kx27.exe"; }

  // Files by their path in the folder; Read gives nothing for a missing file.
  void Write(const std::filesystem::path& name, std::string_view bytes) const;
  std::optional<std::string> Read(const std::filesystem::path& name) const;

 private:
  std::filesystem::path dir_;
};

}  // namespace kx27::test
