#pragma once

// The settings file kx27.dat as the tests write it and expect it back:
// position, folder of the last environment file, current preset, 20 presets
// of a comment and 256 values, and the dimension check box; CR LF lines.

#include <array>
#include <string>

namespace kx27::test {

struct SettingsText {
  int Left = 0;
  int Top = 0;
  std::string JwfFolder;  // Shift_JIS
  int PresetNo = 1;
  std::array<std::string, 20> Comments;                 // Shift_JIS
  std::array<std::array<int, 256>, 20> Values{};        // [preset - 1][group * 16 + layer]
  bool Dimensions = false;

  int& Value(int preset, int group, int layer) { return Values[preset - 1][group * 16 + layer]; }
  std::string Render() const;
};

}  // namespace kx27::test
