#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/app/temp_folder.h"

namespace kx27 {
namespace {

using testing::TTempFolder;

constexpr int kLines = 5145;

// Line number of preset n's comment, and of its value k.
int CommentLine(int n) { return 5 + (n - 1) * 257; }
int ValueLine(int n, int k) { return CommentLine(n) + 1 + k; }

TSettings KnownSettings() {
  TSettings s;
  s.WinLeft = -12;
  s.WinTop = 345;
  s.JwfFolder = "C:\\jww\\\x95\x5c\\";  // C:\jww\表\ (the folder name ends in 0x5C)
  s.PresetNo = 3;
  s.Presets[0].Comment = "  blanks kept  ";
  s.Presets[0].Values[0] = 5;
  s.Presets[0].Values[255] = 62;
  s.Presets[2].Comment = "\x8e\xc0\x90\xfc";  // 実線
  s.Presets[2].Values[17] = 47;
  s.Presets[19].Values[255] = 9;
  s.Dimensions = true;
  return s;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  for (std::size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
    lines.push_back(text.substr(pos, end - pos));
  EXPECT_EQ(pos, text.size()) << "text after the last CR LF";
  return lines;
}

// A file of the given lines, numbered from 1, each ended by the given break.
std::string FileOf(const std::vector<std::string>& lines, std::string_view line_end = "\r\n") {
  std::string text;
  for (const std::string& line : lines) (text += line) += line_end;
  return text;
}

void ExpectSameSettings(const TSettings& a, const TSettings& b) {
  EXPECT_EQ(a.WinLeft, b.WinLeft);
  EXPECT_EQ(a.WinTop, b.WinTop);
  EXPECT_EQ(a.JwfFolder, b.JwfFolder);
  EXPECT_EQ(a.PresetNo, b.PresetNo);
  EXPECT_EQ(a.Dimensions, b.Dimensions);
  for (int n = 0; n < kPresetCount; ++n) {
    EXPECT_EQ(a.Presets[n].Comment, b.Presets[n].Comment) << "preset " << n + 1;
    EXPECT_EQ(a.Presets[n].Values, b.Presets[n].Values) << "preset " << n + 1;
  }
}

TEST(RenderSettings, WritesEveryFieldOnItsLine) {
  const std::vector<std::string> lines = SplitCrLf(RenderSettings(KnownSettings()));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
  struct Case {
    int line;
    std::string_view text;
  };
  const Case cases[] = {
      {1, "-12"},
      {2, "345"},
      {3, "C:\\jww\\\x95\x5c\\"},
      {4, "3"},
      {CommentLine(1), "  blanks kept  "},
      {ValueLine(1, 0), "5"},
      {ValueLine(1, 1), "0"},
      {ValueLine(1, 255), "62"},
      {CommentLine(2), ""},
      {CommentLine(3), "\x8e\xc0\x90\xfc"},
      {ValueLine(3, 17), "47"},
      {ValueLine(20, 255), "9"},
      {kLines, "1"},
  };
  for (const Case& c : cases) EXPECT_EQ(lines[c.line - 1], c.text) << "line " << c.line;
}

TEST(RenderSettings, KeepsEveryLineOnOneLine) {
  TSettings s;
  s.Presets[0].Comment = "a\r\nb";  // a break that slipped into the edit box
  s.Presets[1].Values[0] = 10;      // not a line type
  s.JwfFolder = "x\ny/";
  const std::vector<std::string> lines = SplitCrLf(RenderSettings(s));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kLines));
  EXPECT_EQ(lines[CommentLine(1) - 1], "a  b");
  EXPECT_EQ(lines[ValueLine(2, 0) - 1], "0");
  EXPECT_EQ(lines[2], "x y/");
  EXPECT_EQ(lines[kLines - 1], "0");
}

TEST(SettingsFile, SaveThenLoadGivesEveryFieldBack) {
  TTempFolder folder;
  const auto path = folder / "kx27.dat";
  ASSERT_TRUE(SaveSettings(path, KnownSettings()));
  EXPECT_EQ(TTempFolder::Read(path), RenderSettings(KnownSettings()));

  TSettings loaded;
  EXPECT_EQ(LoadSettings(path, loaded), TLoadResult::kLoaded);
  ExpectSameSettings(loaded, KnownSettings());
}

TEST(SettingsFile, LineBreaksLfAndCrLfReadAlike) {
  TTempFolder folder;
  std::vector<std::string> lines = SplitCrLf(RenderSettings(KnownSettings()));
  lines.push_back("lines after the last are ignored");
  TSettings with_lf;
  EXPECT_EQ(LoadSettings(folder.Write("lf.dat", FileOf(lines, "\n")), with_lf),
            TLoadResult::kLoaded);
  ExpectSameSettings(with_lf, KnownSettings());

  lines[CommentLine(1) - 1] = "a\rb";  // a CR without LF is dropped
  lines.resize(kLines);
  std::string text = FileOf(lines);
  text.resize(text.size() - 2);  // the last line without its end
  TSettings with_cr;
  EXPECT_EQ(LoadSettings(folder.Write("cr.dat", text), with_cr), TLoadResult::kLoaded);
  EXPECT_EQ(with_cr.Presets[0].Comment, "ab");
  EXPECT_TRUE(with_cr.Dimensions);
}

TEST(SettingsFile, ShortFileReadsMissingLinesAsEmpty) {
  TTempFolder folder;
  std::vector<std::string> lines(300, "7");
  lines[2] = "D:\\";
  lines[CommentLine(1) - 1] = "first";
  lines[CommentLine(2) - 1] = "second";
  lines[ValueLine(2, 37) - 1] = "9";  // line 300, the last

  TSettings s = KnownSettings();  // everything the file lacks must be cleared
  ASSERT_EQ(LoadSettings(folder.Write("short.dat", FileOf(lines)), s), TLoadResult::kLoaded);
  EXPECT_EQ(s.WinLeft, 7);
  EXPECT_EQ(s.WinTop, 7);
  EXPECT_EQ(s.JwfFolder, "D:\\");
  EXPECT_EQ(s.PresetNo, 7);
  EXPECT_EQ(s.Presets[0].Comment, "first");
  for (int k = 0; k < 256; ++k) EXPECT_EQ(s.Presets[0].Values[k], 7);
  EXPECT_EQ(s.Presets[1].Comment, "second");
  for (int k = 0; k < 37; ++k) EXPECT_EQ(s.Presets[1].Values[k], 7);
  EXPECT_EQ(s.Presets[1].Values[37], 9);
  for (int k = 38; k < 256; ++k) EXPECT_EQ(s.Presets[1].Values[k], 0);
  EXPECT_EQ(s.Presets[2].Comment, "");
  EXPECT_EQ(s.Presets[19].Values[255], 0);
  EXPECT_FALSE(s.Dimensions);
}

// One line of an otherwise empty file, and what the field then holds.
struct LineCase {
  int line;
  std::string_view text;
  std::int32_t expected;
};

std::int32_t FieldOf(const TSettings& s, int line) {
  if (line == 1) return s.WinLeft;
  if (line == 2) return s.WinTop;
  if (line == 4) return s.PresetNo;
  if (line == kLines) return s.Dimensions ? 1 : 0;
  return s.Presets[(line - 5) / 257].Values[(line - 5) % 257 - 1];
}

TEST(SettingsFile, ReadsEachLineTolerantly) {
  const LineCase cases[] = {
      {1, "-5", -5},        {1, "  12", 12},    {1, "12 ", 0},         {2, "$10", 16},
      {2, "1.5", 0},        {4, "20", 20},      {4, "0", 1},           {4, "21", 1},
      {4, "-3", 1},         {4, "", 1},         {4, "three", 1},       {ValueLine(1, 0), "62", 62},
      {ValueLine(1, 1), "47", 47}, {ValueLine(1, 2), "45", 45}, {ValueLine(2, 3), "31", 31},
      {ValueLine(5, 4), "19", 19}, {ValueLine(9, 5), "11", 11}, {ValueLine(20, 6), "9", 9},
      {ValueLine(20, 255), "0", 0}, {ValueLine(1, 0), "63", 0}, {ValueLine(1, 0), "46", 0},
      {ValueLine(1, 0), "30", 0},  {ValueLine(1, 0), "20", 0},  {ValueLine(1, 0), "10", 0},
      {ValueLine(1, 0), "-1", 0},  {ValueLine(1, 0), "line", 0},
      {kLines, "1", 1},     {kLines, "\x81\x9b", 1},  // ○
      {kLines, "ON", 1},    {kLines, "TRUE", 1},      {kLines, "on", 1},
      {kLines, "0", 0},     {kLines, "", 0},          {kLines, "YES", 0},
  };
  TTempFolder folder;
  for (const LineCase& c : cases) {
    std::vector<std::string> lines(kLines);
    lines[c.line - 1] = c.text;
    TSettings s;
    ASSERT_EQ(LoadSettings(folder.Write("one.dat", FileOf(lines)), s), TLoadResult::kLoaded);
    EXPECT_EQ(FieldOf(s, c.line), c.expected) << "line " << c.line << " '" << c.text << "'";
  }
}

TEST(SettingsFile, MissingOrUnreadableFileKeepsThePresets) {
  TTempFolder folder;
  std::filesystem::create_directory(folder / "a folder");
  struct Case {
    std::string_view name;
    TLoadResult result;
  };
  const Case cases[] = {
      {"no such file.dat", TLoadResult::kMissing},
      {"a folder", TLoadResult::kUnreadable},
  };
  for (const Case& c : cases) {
    TSettings s = KnownSettings();
    EXPECT_EQ(LoadSettings(folder / c.name, s), c.result) << c.name;
    EXPECT_EQ(s.WinLeft, 0);
    EXPECT_EQ(s.WinTop, 0);
    EXPECT_EQ(s.PresetNo, 1);
    EXPECT_EQ(s.JwfFolder, KnownSettings().JwfFolder);
    EXPECT_EQ(s.Presets[2].Values[17], 47);
    EXPECT_TRUE(s.Dimensions);
  }
}

TEST(SettingsFile, FailedSaveLeavesWhatWasThere) {
  TTempFolder folder;
  // A folder in the file's place cannot be replaced by a file.
  const auto in_the_way = folder / "kx27.dat";
  std::filesystem::create_directory(in_the_way);
  folder.Write("kx27.dat/keep.txt", "kept");
  EXPECT_FALSE(SaveSettings(in_the_way, KnownSettings()));
  EXPECT_EQ(TTempFolder::Read(in_the_way / "keep.txt"), "kept");

  EXPECT_FALSE(SaveSettings(folder / "missing" / "kx27.dat", KnownSettings()));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    ++entries;
  EXPECT_EQ(entries, 1u) << "a temporary file was left behind";
}

TEST(FolderOf, KeepsThePathUpToTheLastSeparator) {
  struct Case {
    std::string_view name;
    std::string_view folder;
  };
  const Case cases[] = {
      {"C:\\jww\\a.jwf", "C:\\jww\\"},
      {"C:a.jwf", "C:"},
      {"/home/u/a.jwf", "/home/u/"},
      {"a.jwf", ""},
      {"", ""},
      {"C:\\\x95\x5c.jwf", "C:\\"},  // 表.jwf: its second byte is no separator
      {"C:\\\x95\x5c\\a.jwf", "C:\\\x95\x5c\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(FolderOf(std::string(c.name)), c.folder) << c.name;
}

}  // namespace
}  // namespace kx27
