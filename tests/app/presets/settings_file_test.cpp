#include "app/presets/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/exchange/temp_folder.h"

namespace kx27 {
namespace {

using testing::TTempFolder;

constexpr int kLines = 5145;
int ValueLine(int preset, int k) { return 6 + (preset - 1) * 257 + k; }  // comment: k = -1

TSettings KnownSettings() {
  TSettings s;
  s.WinLeft = -12;
  s.WinTop = 345;
  s.JwfFolder = "C:\\jww\\\x95\x5c\\";  // C:\jww\表\ (ends in a 0x5C trail byte)
  s.PresetNo = 3;
  s.Presets[0].Comment = "  a\r\nb  ";  // blanks kept, the break becomes blanks
  s.Presets[0].Values[255] = 62;
  s.Presets[2].Comment = "\x8e\xc0\x90\xfc";  // 実線
  s.Presets[2].Values[17] = 47;
  s.Dimensions = true;
  return s;
}

std::vector<std::string> Lines(const std::string& text, std::string_view end = "\r\n") {
  std::vector<std::string> lines;
  for (std::size_t pos = 0, next; pos < text.size(); pos = next + end.size()) {
    next = text.find(end, pos);
    lines.push_back(text.substr(pos, next - pos));
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) (text += line) += end;
  return text;
}

TEST(SettingsFile, RendersEveryFieldOnItsLineAndReadsItBack) {
  TSettings known = KnownSettings();
  const std::vector<std::string> lines = Lines(RenderSettings(known));
  ASSERT_EQ(lines.size(), std::size_t{kLines});
  const std::pair<int, std::string_view> cases[] = {
      {1, "-12"},
      {2, "345"},
      {3, "C:\\jww\\\x95\x5c\\"},
      {4, "3"},
      {ValueLine(1, -1), "  a  b  "},
      {ValueLine(1, 0), "0"},
      {ValueLine(1, 255), "62"},
      {ValueLine(2, -1), ""},
      {ValueLine(3, -1), "\x8e\xc0\x90\xfc"},
      {ValueLine(3, 17), "47"},
      {ValueLine(20, 255), "0"},
      {kLines, "1"},
  };
  for (const auto& [line, text] : cases) EXPECT_EQ(lines[line - 1], text) << "line " << line;

  TTempFolder folder;
  ASSERT_EQ(SaveSettings(folder / "kx27.dat", known), TReplaceResult::kReplaced);
  for (const std::string_view end : {"\r\n", "\n"}) {  // LF alone ends a line too
    TSettings loaded;
    const auto file = folder.Write(
        "read.dat", Join(Lines(TTempFolder::Read(folder / "kx27.dat")), end) + "ignored\r\n");
    ASSERT_EQ(LoadSettings(file, loaded), TLoadResult::kLoaded);
    EXPECT_EQ(RenderSettings(loaded), RenderSettings(known));
  }
}

TEST(SettingsFile, ReadsEachLineTolerantly) {
  auto field = [](const TSettings& s, int line) -> std::int32_t {
    if (line <= 4) return line == 1 ? s.WinLeft : line == 2 ? s.WinTop : s.PresetNo;
    if (line == kLines) return s.Dimensions;
    return s.Presets[(line - 5) / 257].Values[(line - 5) % 257 - 1];
  };
  const struct {
    int line;
    std::string_view text;
    std::int32_t expected;
  } cases[] = {
      {1, "-5", -5},
      {1, "  12", 12},
      {1, "12 ", 0},
      {2, "$10", 16},
      {2, "1.5", 0},
      {4, "20", 20},
      {4, "0", 1},
      {4, "21", 1},
      {4, "-3", 1},
      {4, "", 1},
      {4, "three", 1},
      {ValueLine(1, 0), "62", 62},
      {ValueLine(1, 1), "47", 47},
      {ValueLine(2, 2), "45", 45},
      {ValueLine(9, 3), "31", 31},
      {ValueLine(20, 4), "19", 19},
      {ValueLine(20, 255), "11", 11},
      {ValueLine(1, 0), "9", 9},
      {ValueLine(1, 0), "63", 0},
      {ValueLine(1, 0), "46", 0},
      {ValueLine(1, 0), "30", 0},
      {ValueLine(1, 0), "20", 0},
      {ValueLine(1, 0), "10", 0},
      {ValueLine(1, 0), "-1", 0},
      {ValueLine(1, 0), "line", 0},
      {kLines, "1", 1},
      {kLines, "\x81\x9b", 1} /* ○ */,
      {kLines, "ON", 1},
      {kLines, "TRUE", 1},
      {kLines, "on", 1},
      {kLines, "0", 0},
      {kLines, "", 0},
      {kLines, "YES", 0},
  };
  TTempFolder folder;
  for (const auto& c : cases) {
    std::vector<std::string> lines(kLines);
    lines[c.line - 1] = c.text;
    TSettings s;
    ASSERT_EQ(LoadSettings(folder.Write("one.dat", Join(lines)), s), TLoadResult::kLoaded);
    EXPECT_EQ(field(s, c.line), c.expected) << "line " << c.line << " '" << c.text << "'";
  }
}

// A preset holds only line types from the moment it is read, so a save
// writes what was held and a second load holds the same.
TEST(SettingsFile, PresetsHoldOnlyLineTypesFromLoadToSave) {
  const std::pair<std::string_view, std::int32_t> cases[] = {
      {"62", 62}, {"47", 47}, {"$3E", 62},       {"x1f", 31},      {"0X13", 19},    {" 7", 7},
      {"+9", 9},  {"0", 0},   {"-0", 0},         {"99", 0},        {"10", 0},       {"46", 0},
      {"63", 0},  {"-1", 0},  {"7 ", 0},         {"", 0},          {"  ", 0},       {"line", 0},
      {"1.5", 0}, {"$", 0},   {"2147483648", 0}, {"$FFFFFFFF", 0}, {"\x82\x54", 0},  // full-width 5
  };
  TTempFolder folder;
  for (const auto& [text, held] : cases) {
    std::vector<std::string> lines(kLines);
    lines[ValueLine(7, 200) - 1] = text;
    TSettings loaded;
    ASSERT_EQ(LoadSettings(folder.Write("raw.dat", Join(lines)), loaded), TLoadResult::kLoaded);
    EXPECT_EQ(loaded.Presets[6].Values[200], held) << "'" << text << "'";
    const std::string saved = RenderSettings(loaded);
    EXPECT_EQ(Lines(saved)[ValueLine(7, 200) - 1], std::to_string(held)) << "'" << text << "'";
    TSettings reloaded;
    ASSERT_EQ(ParseSettings(saved, reloaded), TLoadResult::kLoaded);
    EXPECT_EQ(reloaded.Presets[6].Values, loaded.Presets[6].Values) << "'" << text << "'";
  }
}

TEST(SettingsFile, ShortFileReadsMissingLinesAsEmpty) {
  std::vector<std::string> lines(300, "7");  // ends with value 37 of preset 2
  lines[ValueLine(2, -1) - 1] = "a\rb";      // a CR without LF is dropped
  TTempFolder folder;
  TSettings s = KnownSettings();
  ASSERT_EQ(LoadSettings(folder.Write("short.dat", Join(lines)), s), TLoadResult::kTruncated);
  EXPECT_EQ(s.JwfFolder + s.Presets[0].Comment + s.Presets[1].Comment + s.Presets[2].Comment,
            "77ab");
  EXPECT_EQ((std::vector<int>{s.PresetNo, s.Presets[0].Values[255], s.Presets[1].Values[37],
                              s.Presets[1].Values[38], s.Presets[2].Values[17], s.Dimensions}),
            (std::vector<int>{7, 7, 7, 0, 0, 0}));
}

TEST(SettingsFile, MissingOrUnreadableFileKeepsThePresets) {
  TTempFolder folder;
  std::filesystem::create_directory(folder / "a folder");
  const std::pair<std::string_view, TLoadResult> cases[] = {
      {"no such file.dat", TLoadResult::kMissing}, {"a folder", TLoadResult::kUnreadable}};
  for (const auto& [name, result] : cases) {
    TSettings s = KnownSettings();
    EXPECT_EQ(LoadSettings(folder / name, s), result) << name;
    EXPECT_EQ(s.WinLeft + s.WinTop + s.PresetNo, 1);
    EXPECT_EQ(s.JwfFolder, KnownSettings().JwfFolder);
    EXPECT_EQ(s.Presets[2].Values[17], 47);
    EXPECT_TRUE(s.Dimensions);
  }
}

TEST(SettingsFile, FailedSaveLeavesWhatWasThere) {
  TTempFolder folder;
  std::filesystem::create_directory(folder / "kx27.dat");  // a folder in the file's place
  folder.Write("kx27.dat/keep.txt", "kept");
  EXPECT_EQ(SaveSettings(folder / "kx27.dat", KnownSettings()), TReplaceResult::kFailed);
  EXPECT_EQ(SaveSettings(folder / "missing" / "kx27.dat", KnownSettings()),
            TReplaceResult::kFailed);
  EXPECT_EQ(TTempFolder::Read(folder / "kx27.dat" / "keep.txt"), "kept");
  EXPECT_EQ(folder.Entries(), 1) << "a temporary file was left behind";
}

TEST(FolderOf, KeepsThePathUpToTheLastSeparator) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"C:\\jww\\a.jwf", "C:\\jww\\"},
      {"C:a.jwf", "C:"},
      {"/home/u/a.jwf", "/home/u/"},
      {"a.jwf", ""},
      {"C:\\\x95\x5c.jwf", "C:\\"},  // 表.jwf: its 0x5C is no separator
      {"C:\\\x95\x5c\\a.jwf", "C:\\\x95\x5c\\"},
  };
  for (const auto& [name, folder] : cases) EXPECT_EQ(FolderOf(std::string(name)), folder) << name;
}

}  // namespace
}  // namespace kx27
