#pragma once

// A small drawing as the host writes it, the files the tool must return for
// it, worked out by hand from the exchange format, and the settings file
// kx27.dat as the tests write it and expect it back.

#include <array>
#include <string>
#include <string_view>

namespace kx27::test {

// A line, a circle and an arc on group 0 layer 3; a line and a text on group
// 1 layer 2; a dimension on group 2 layer 0.
inline constexpr std::string_view kDrawing =
    "hq\r\nlg0\r\nly3\r\nlc1\r\nlt1\r\n0 0 100 0\r\nci 50 50 25\r\nlt2\r\nci 0 0 10 0 90 1 0\r\n"
    "lg1\r\nly2\r\nlc3\r\nlt1\r\n10 10 20 20\r\n"
    "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"  // 文字
    "lg2\r\nly0\r\nmsg\r\n0 0 30 40\r\ncs 15 20 1 0 \"50\r\n";

// The same drawing as the host writes it with the names of its layers: group
// 0 "建具" with layer 3 "窓", group 1 layer 2 "外構". The names are not
// written back, so every answer is the same as for kDrawing.
inline const std::string kNamedDrawing =
    "hq\r\nlg0\r\nlgn\x8c\x9a\x8b\xef\r\nly3\r\nlyn\x91\x8b\r\nlg1\r\nly2\r\n"
    "lyn\x8a\x4f\x8d\x5c\r\nlg0\r\nly3\r\n" +
    std::string(kDrawing.substr(std::string_view("hq\r\nlg0\r\nly3\r\n").size()));

inline constexpr std::string_view kHq = "hq\r\n";

// The drawing handed back, with these line-type lines (none when empty)
// before the group 0 line, before its arc, in group 1 and in group 2.
inline std::string Returned(std::string_view group0, std::string_view arc, std::string_view group1,
                            std::string_view group2) {
  auto line = [](std::string_view text) {
    return text.empty() ? std::string() : std::string(text) + "\r\n";
  };
  return "hd\r\nlg0\r\nly3\r\nlc1\r\n" + line(group0) + "0 0 100 0\r\nci 50 50 25\r\n" + line(arc) +
         "ci 0 0 10 0 90 1 0\r\nlg1\r\nly2\r\nlc3\r\n" + line(group1) +
         "10 10 20 20\r\ncn1\r\ncc0\r\n"
         "cn\"$<\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e>\r\n"  // <ＭＳ ゴシック>
         "ch 0 0 1 0 \"\x95\xb6\x8e\x9a\r\n"                                // 文字
         "lg2\r\nly0\r\n" +
         line(group2) + "msg\r\n0 0 30 40\r\ncs 15 20 1 0 \"50\r\nlg0\r\nly3\r\n";
}

// Group 0 layer 3 to 5, group 1 layer 2 to 7, group 2 layer 0 to 3 (the
// dimension only when dimensions are converted too).
inline const std::string kConverted = Returned("lt5", "", "lt7", "lt1");
inline const std::string kConvertedWithDimension = Returned("lt5", "", "lt7", "lt3");
// A preset of zeros: every element keeps its line type.
inline const std::string kUnchanged = Returned("lt1", "lt2", "lt1", "");
inline const std::string kOnlyGroup1Layer2To62 = Returned("lt1", "lt2", "lt62", "lt1");

// Position, folder of the last environment file, current preset, 20 presets
// of a comment and 256 values, and the dimension check box; CR LF lines.
struct SettingsText {
  int Left = 0;
  int Top = 0;
  std::string JwfFolder;  // Shift_JIS
  int PresetNo = 1;
  std::array<std::string, 20> Comments;           // Shift_JIS
  std::array<std::array<int, 256>, 20> Values{};  // [preset - 1][group * 16 + layer]
  bool Dimensions = false;

  int& Value(int preset, int group, int layer) { return Values[preset - 1][group * 16 + layer]; }

  std::string Render() const {
    std::string text;
    auto line = [&text](const std::string& content) { text += content + "\r\n"; };
    for (int number : {Left, Top}) line(std::to_string(number));
    line(JwfFolder);
    line(std::to_string(PresetNo));
    for (std::size_t preset = 0; preset < Values.size(); ++preset) {
      line(Comments[preset]);
      for (int value : Values[preset]) line(std::to_string(value));
    }
    line(Dimensions ? "1" : "0");
    return text;
  }
};

// At (120, 90) on preset 1, which converts the drawing to kConverted; preset
// 2 holds a comment and one value that the drawing does not use.
inline SettingsText BaseSettings() {
  SettingsText settings;
  settings.Left = 120;
  settings.Top = 90;
  settings.Comments[0] = "\x8a\x4f\x95\xc7";  // 外壁
  settings.Value(1, 0, 3) = 5;
  settings.Value(1, 1, 2) = 7;
  settings.Value(1, 2, 0) = 3;
  settings.Comments[1] = "\x8a\xf9\x91\xb6\x82\xcc\x90\xdd\x92\xe8";  // 既存の設定
  settings.Value(2, 5, 5) = 9;
  return settings;
}

}  // namespace kx27::test
