#pragma once

// A fresh folder for one test's files, removed with everything in it.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace kx27::testing {

class TTempFolder {
 public:
  TTempFolder() { std::filesystem::create_directories(path_); }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }
  auto Entries() const { return std::distance(std::filesystem::directory_iterator(path_), {}); }

  std::filesystem::path Write(std::string_view name, std::string_view bytes) const {
    std::ofstream(path_ / name, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path_ / name;
  }

  static std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_ =
      std::filesystem::temp_directory_path() /
      ("kx27-test-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
       "-" + std::to_string(std::random_device{}()));
};

}  // namespace kx27::testing
