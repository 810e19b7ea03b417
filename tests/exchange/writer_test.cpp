#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "exchange/drawing_state.h"
#include "exchange/element_writers.h"
#include "exchange/emitters.h"
#include "exchange/line_emitters.h"
#include "exchange/output_buffer.h"
#include "exchange/output_driver.h"
#include "exchange/replace_file.h"
#include "tests/exchange/temp_folder.h"

namespace kx27::testing {
namespace {

// "<ＭＳ ゴシック>"
#define DEFAULT_FONT "<\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e>"

void ResetWriter() {
  ResetDrawingState();
  ResetOutputState();
}

// The file's bytes for lines separated by '|', each ending in CR LF; "hq"
// for none.
std::string FileOf(std::string_view lines) {
  if (lines.empty()) return "hq\r\n";
  std::string bytes;
  for (char c : lines) c == '|' ? bytes.append("\r\n") : bytes.append(1, c);
  return bytes + "\r\n";
}

// Calls that append to a fresh output, and the file that results.
struct TOutputCase {
  const char* name;
  std::function<void()> write;
  std::string_view lines;  // as for FileOf
};

void ExpectFiles(std::initializer_list<TOutputCase> cases) {
  for (const TOutputCase& c : cases) {
    ResetWriter();
    c.write();
    EXPECT_EQ(RenderOutput(), FileOf(c.lines)) << c.name;
  }
}

// Appends rec to its kind's array and to the order list.
template <typename T>
void AddRecord(std::vector<T>& records, TKind kind, const T& rec) {
  AppendOrder(kind, static_cast<std::int32_t>(records.size()));
  records.push_back(rec);
}

TEST(OutputBuffer, JoinsOnlyTextHeadsAndKeepsLinesWhole) {
  const std::string a254(254, 'a'), x255(255, 'x');
  ExpectFiles({
      {"text head joined with its text",
       [] { AppendOutputLine("hd"); AppendTextOutputLines("ch 10 20 1 0 \"", "abc"); },
       "hd|ch 10 20 1 0 \"abc"},
      {"other lines ending in a quote, and text lines, stand alone",
       [] { AppendOutputLine("cn\"$f\""); AppendTextOutputLines("ch \"", "a\""); AppendOutputLine(""); },
       "cn\"$f\"|ch \"a\"|"},
      {"CR and LF inside a line become blanks",
       [] { AppendTextOutputLines("c\rh \"", "a\rb\nc\r\n"); }, "c h \"a b c  "},
      {"cut at 255 bytes", [] { AppendOutputLine(std::string(300, 'x')); }, x255},
      {"cut before a double-byte character that would straddle",
       [a254] { AppendOutputLine(a254 + "\x82\xa0"); }, a254},
      {"cleared", [] { AppendOutputLine("hd"); ClearOutput(); }, ""},
  });
  ResetWriter();
  AppendTextOutputLines("ch 0 0 1 0 \"", "x");
  EXPECT_EQ(OutputCount(), 2);
}

TEST(Emitters, StateAttributesOnlyWhereTheyChange) {
  ExpectFiles({
      {"first statement after the reset, even of defaults",
       [] {
         EmitGroup(0); EmitLayer(0); EmitColor(1); EmitLineType(1);
         EmitCc(0); EmitPointColor(1); EmitTextType(1, 0, 0, 0, 0);
         EmitGroup(0); EmitLayer(0); EmitColor(1); EmitLineType(1);
         EmitCc(0); EmitPointColor(1); EmitTextType(1, 0, 0, 0, 0);
       },
       "lg0|ly0|lc1|lt1|cc0|pn1|cn1"},
      {"hexadecimal group and layer; a new group restates the layer",
       [] { EmitGroup(15); EmitLayer(10); EmitGroup(1); EmitLayer(10); EmitLayer(10); },
       "lgF|lyA|lg1|lyA"},
      {"no width without widths in the input", [] { EmitLineWidth(5); }, ""},
      {"width out of range, then the first width for -1",
       [] {
         Drawing.LwSeen = true;
         Drawing.FirstLineWidth = 3;
         EmitLineWidth(40000); EmitLineWidth(0); EmitLineWidth(-7); EmitLineWidth(-1);
       },
       "lw0|lw3"},
      {"cc out of range is 0", [] { EmitCc(9); EmitCc(0); EmitCc(-1); EmitCc(8); }, "cc0|cc8"},
      {"text type out of range: the first size when the first type is 0",
       [] { Drawing.FirstTextType = 0; EmitTextType(12, 9, 7, 7, 7); },
       "cn0 2 2 0 1"},
      {"text type out of range: the first text type",
       [] { Drawing.FirstTextType = 4; EmitTextType(-1, 9, 7, 7, 7); EmitTextType(4, 1, 1, 1, 1); },
       "cn4"},
      {"text type out of range, and the first too: the size it was read with",
       [] { Drawing.FirstTextType = 12; EmitTextType(12, 9, 7, 6, 5); }, "cn0 7 6 5 9"},
      {"numbered text types ignore sizes",
       [] { EmitTextType(3, 1, 2, 2, 0); EmitTextType(3, 5, 4, 4, 1); }, "cn3"},
      {"explicit sizes restated when any of them changes",
       [] {
         EmitTextType(0, 7, 2.5, 3, 0.25); EmitTextType(0, 7, 2.5, 3, 0.25);
         EmitTextType(0, 8, 2.5, 3, 0.25); EmitTextType(2, 8, 2.5, 3, 0.25);
         EmitTextType(0, 8, 2.5, 3, 0.25);
       },
       "cn0 2.5 3 0.25 7|cn0 2.5 3 0.25 8|cn2|cn0 2.5 3 0.25 8"},
      {"font: empty name and <> take the first font name, or the default without one",
       [] {
         EmitFontName("<>"); EmitFontName("");
         Drawing.FirstFontName = "Arial";
         EmitFontName("<>"); EmitFontName("Arial"); EmitFontName("arial");
       },
       "cn\"$" DEFAULT_FONT "|cn\"$Arial|cn\"$arial"},
      {"lc10 value out of range, then plain colour 10 already stated",
       [] { EmitLc10(-5); EmitColor(10); EmitLc10(0x1000000); }, "lc10 0"},
      {"plain colour 10 states the lc10 value last given",
       [] {
         EmitColor(10); EmitLc10(0); EmitLc10(7); EmitColor(10);
         EmitColor(3); EmitLc10(7); EmitLc10(0xFFFFFF);
       },
       "lc10|lc10 7|lc3|lc10 7|lc10 16777215"},
      {"z lines every time, z4 only without z5",
       [] { EmitZFlags(24); EmitZFlags(31); EmitZFlags(0); EmitZFlags(8 + 32); },
       "z5|z1|z2|z3|z5|z4"},
      {"reset forgets what was stated",
       [] { EmitGroup(0); EmitFontName("a"); ResetOutputState(); EmitGroup(0); EmitFontName("a"); },
       "lg0|cn\"$a|lg0|cn\"$a"},
  });
}

TEST(ElementLines, DropDegenerateElements) {
  ExpectFiles({
      {"lines", [] { PutLine(0, {1, 2}, {3.5, -4}); PutLine(1, {1, 2}, {1 + 9e-9, 2 - 9e-9}); },
       "1 2 3.5 -4"},
      {"coded points: tiny V3 is 1, codes out of range -3",
       [] {
         PutCodedPoint(0, {1, 2}, 0, 4, 20); PutCodedPoint(0, {1, 2}, -5e-9, 4, -8);
         PutCodedPoint(0, {1, 2}, 0.5, 4, -7); PutCodedPoint(0, {1, 2}, 2, 4, 11);
       },
       "pt 1 2 1 4 -3|pt 1 2 1 4 -3|pt 1 2 0.5 4 -7|pt 1 2 2 4 11"},
      {"circles and arcs without radius or sweep",
       [] {
         PutCircle(0, {1, 2}, 1e-9); PutCircle(0, {1, 2}, -1); PutCircle(0, {1, 2}, 3);
         PutArc(0, {1, 2}, 0, 4, 5, 6, 7); PutArc(0, {1, 2}, 3, 4, 5, 0, 7);
         PutArc(0, {1, 2}, 3, 4, 5, -6, 7);
       },
       "ci 1 2 3|ci 1 2 3 4 5 -6 7"},
      {"texts: keyword by kind, blanks kept, only empty texts dropped",
       [] {
         PutText(0, 3, "  a b ", {1, 2}, {1, 0});
         PutText(0, 12, "x", {1, 2}, {0, -1});
         PutText(1, 9, "\x81\x40 ", {1, 2}, {1, 0});  // full-width blank
         PutText(2, 0, "x", {1, 2}, {5e-9, -5e-9});
         PutText(1, 0, "", {1, 2}, {1, 0});
       },
       "cr 1 2 1 0 \"  a b |ch 1 2 0 -1 \"x|z1|c2 1 2 1 0 \"\x81\x40 |z2|ch 1 2 5E-9 -5E-9 \"x"},
      {"degenerate once rounded to the 15 digits written",
       [] {
         PutLine(1, {123456789.00000002, 5}, {123456789.00000006, 5});
         PutSolid2(1, {123456789012345.6, 0}, {123456789012345.7, 0});
         PutCircle(1, {1, 1}, 1.000000000000004e-8);
         PutArc(1, {1, 1}, 3, 0, 1, 1.000000000000004e-8, 0);
         PutDim(1, "", {0, 123456789.00000002}, {0, 123456789.00000006}, {0, 0}, {1, 0});
         PutLine(0, {123456789.000001, 5}, {123456789.000002, 5});
       },
       "123456789.000001 5 123456789.000002 5"},
      {"solids with coinciding corners",
       [] {
         PutSolid2(1, {0, 0}, {0, 5e-9});
         PutSolid3(1, {0, 0}, {5, 0}, {0, 0}); PutSolid3(0, {0, 0}, {5, 0}, {5, 5});
       },
       "sl 0 0 5 0 5 5"},
      {"four corners reduced, or dropped with the first and third or second and fourth",
       [] {
         PutSolid4(0, {0, 0}, {0, 0}, {5, 0}, {5, 5}); PutSolid4(1, {0, 0}, {5, 0}, {0, 0}, {5, 5});
         PutSolid4(0, {0, 0}, {5, 0}, {5, 5}, {0, 0}); PutSolid4(0, {0, 0}, {5, 0}, {5, 0}, {5, 5});
         PutSolid4(1, {0, 0}, {5, 0}, {5, 5}, {5, 0}); PutSolid4(0, {0, 0}, {5, 0}, {5, 5}, {5, 5});
         PutSolid4(1, {0, 0}, {0, 0}, {0, 0}, {5, 5});  // the reduced triangle is dropped too
         PutSolid4(0, {0, 0}, {5, 0}, {5, 5}, {0, 5});
       },
       "sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5|sl 0 0 5 0 5 5 0 5"},
      {"sc and se flags, vanishing values",
       [] {
         PutScSolid(0, {1, 2, 3, 4, 5, 6, 7}, 7); PutScSolid(0, {1, 2, 3, 4, 5, 6, 7}, -1);
         PutScSolid(0, {1, 2, 0, 4, 5, 6, 7}, 0); PutSeSolid(0, {1, 2, 3, 4, 5, 6, 7}, 5);
         PutSeSolid(0, {1, 2, 3, 0, 5, 6, 7}, 0); PutSeSolid(0, {1, 2, 3, 4, 5, 6, 7}, 100);
       },
       "sc 1 2 3 4 5 6 7 -1|se 1 2 3 4 5 6 7 100"},
      {"so and sg need 0 < V8 < V3 and V4",
       [] {
         PutSoSolid(0, {1, 2, 3, 4, 5, 6, 7, 3}); PutSoSolid(0, {1, 2, 3, 4, 5, 6, 7, 0});
         PutSgSolid(0, {1, 2, 3, 0, 5, 6, 7, 1}); PutSgSolid(0, {1, 2, 3, 4, 5, 6, 7, 1});
       },
       "sg 1 2 3 4 5 6 7 1"},
      {"dimensions: an empty text is the length in steps of 1e-8",
       [] {
         PutDim(2, " ", {0, 0}, {3, 4}, {1, 1}, {1, 0}); PutDim(0, "", {0, 0}, {1.0 / 3, 0}, {1, 1}, {0, 1});
         PutDim(0, " 7 ", {0, 0}, {3, 4}, {1, 1}, {1, 0}); PutDim(2, "", {1, 1}, {1, 1}, {1, 1}, {1, 0});
         PutDim(2, "", {0, 0}, {3, 4}, {1, 1}, {0, 0});
       },
       "msg|z2|0 0 3 4|cs 1 1 1 0 \"5|msg|0 0 0.333333333333333 0|cs 1 1 0 1 \"0.33333333|"
       "msg|0 0 3 4|cs 1 1 1 0 \" 7 "},
  });
}

TEST(ElementWriters, StateEachKindsAttributesBeforeItsLine) {
  ExpectFiles({
      {"line: pen, z lines last, no polyline number",
       [] {
         Drawing.LwSeen = true;
         Store.Lines.push_back({{0, 1, 2, 3, 4, 5, 1 | 16}, 9, 0, 0, 10, 0}); WriteLineRec(0);
       },
       "lg1|ly2|lc3|lt4|lw5|z1|z5|0 0 10 0"},
      {"dropped elements state nothing, and leave no z lines for the next",
       [] {
         Store.Lines.push_back({{0, 5, 0, 2, 1, 0, 2}});
         Store.Solid4s.push_back({{{0, 6, 0, 3, 0, 0, 1}, 0}, 0, 0, 1, 0, 0, 0, 1, 1});
         Store.Circles.push_back({{0, 0, 0, 2, 1, 0, 0}, 0, 0, 3});
         WriteLineRec(0); WriteSolidRec(kSolid4, 0); WriteCircleRec(0);
       },
       "lg0|ly0|lc2|lt1|ci 0 0 3"},
      {"text: style and font, no pen; a font ending in a quote joins nothing",
       [] {
         TTextRec text{{0, 0, 0, 5, 7, 0, 0}, 1, 2, 3, 9, 0, 0, 0, 0, 1, 0, {}, {}};
         text.FontName = StoreText("<>");
         text.Text = StoreText("abc");
         Drawing.FirstFontName = "F\"";
         Store.Texts.push_back(text); WriteTextRec(0);
       },
       "lg0|ly0|cn3|cc2|cn\"$F\"|cv 0 0 1 0 \"abc"},
      {"points: point colour and width, no line type",
       [] {
         Drawing.LwSeen = true;
         Store.Points.push_back({{0, 0, 0, 5, 3, 2, 0}});
         Store.CodedPoints.push_back({{0, 0, 0, 5, 3, 2, 0}, 0, 0, 2, 0, 1});
         WritePointRec(0); WriteCodedPointRec(0);
       },
       "lg0|ly0|pn5|lw2|pt 0 0|pt 0 0 2 0 1"},
      {"dimension: its place, its line's pen, its text's style",
       [] {
         TDimRec dim{{0, 2, 3, 8, 0, 0, 4}, {}, {}};
         dim.Line = {{0, 9, 0, 6, 2, 0, 0}, 0, 0, 0, 1, 0};
         dim.Text.TextType = 4;
         dim.Text.DX = 1;
         dim.Text.FontName = StoreText(kDefaultFontName);
         Store.Dims.push_back(dim); WriteDimRec(0);
       },
       "lg2|ly3|lc6|lt2|cn4|cc0|cn\"$" DEFAULT_FONT "|msg|z3|0 0 1 0|cs 0 0 1 0 \"1"},
      {"solids: lc10 value for colour 10, width only for sl and se",
       [] {
         Drawing.LwSeen = true;
         Store.Solid2s.push_back({{{0, 0, 0, 10, 0, 3, 0}, 0x123456}, 0, 0, 1, 0});
         Store.Solid3s.push_back({{{0, 0, 0, 4, 0, 6, 0}, 0}, 0, 0, 1, 0, 0, 1});
         Store.SeSolids.push_back({{{{0, 0, 0, 4, 0, 6, 0}, 0}, 0, 0, 1, 1}});
         WriteSolidRec(kSolid2, 0); WriteSolidRec(kSolid3, 0); WriteSolidRec(kSeSolid, 0);
         WriteSolidRec(kSolid2, 1);  // not in the store
       },
       "lg0|ly0|lc10 1193046|lw3|sl 0 0 1 0|lc4|sl 0 0 1 0 0 1|lw6|se 0 0 1 1 0 0 0 0"},
  });
}

// Records what is shown, and holds Escape down from the poll at escape_at on.
struct FakeProgress : TWriteProgress {
  explicit FakeProgress(std::int32_t escape_from = 0) : escape_at(escape_from) {}
  void Show(std::int32_t current, std::int32_t total) override { shown.emplace_back(current, total); }
  bool EscapeDown() override { return escape_at != 0 && shown.back().first >= escape_at; }
  std::int32_t escape_at;
  std::vector<std::pair<std::int32_t, std::int32_t>> shown;
};

void AddLines(int count, std::int32_t group, std::int32_t layer) {
  for (int i = 0; i < count; ++i)
    AddRecord(Store.Lines, kLine, TLineRec{{0, group, layer, 1, 1, 0, 0}, 0, 0, 0, 1, 0});
}

void WriteAll() {
  FakeProgress progress;
  WriteElements(progress);
}

TEST(OutputDriver, WritesInOrderAndRestatesTheFirstGroupAndLayer) {
  ExpectFiles({
      {"nothing", WriteAll, "lg0|ly0"},
      {"bz first; blocks and unknown kinds passed over",
       [] {
         Drawing.BzFlag = true;
         AddLines(1, 0, 0);
         AddRecord(Store.Blocks, kBlock, TJwwEntBlk{});
         AppendOrder(99, 0);
         AddRecord(Store.Circles, kCircle, TCircleRec{{0, 0, 0, 1, 1, 0, 0}, 0, 0, 2});
         WriteAll();
       },
       "bz|lg0|ly0|lc1|lt1|0 0 1 0|ci 0 0 2"},
      {"elements elsewhere: the first group and layer open and close the output",
       [] { AddLines(1, 2, 5); WriteAll(); }, "lg0|ly0|lg2|ly5|lc1|lt1|0 0 1 0|lg0|ly0"},
      {"same group, other layer: the layer alone",
       [] { Drawing.FirstLayer = 1; AddLines(1, 0, 3); WriteAll(); }, "lg0|ly1|ly3|lc1|lt1|0 0 1 0|ly1"},
  });
}

// A line of the curve read after the n-th "pl" (0: none), with its z flags.
void AddCurveLine(std::int32_t curve, double length, std::int32_t z_flags = 0) {
  AddRecord(Store.Lines, kLine, TLineRec{{0, 0, 0, 1, 1, 0, z_flags}, curve, 0, 0, length, 0});
}

TEST(OutputDriver, WritesCurvesAsTheHostDoes) {
  ExpectFiles({
      {"attributes, z lines, pl, the segments, #",
       [] {
         AddCurveLine(1, 1, 1); AddCurveLine(1, 2, 2); AddCurveLine(1, 3);
         AddRecord(Store.Circles, kCircle, TCircleRec{{0, 0, 0, 1, 1, 0, 0}, 0, 0, 2});
         WriteAll();
       },
       "lg0|ly0|lc1|lt1|z1|pl|0 0 1 0|z2|0 0 2 0|0 0 3 0|#|ci 0 0 2"},
      {"curves side by side, and a loose line after them",
       [] { AddCurveLine(1, 1); AddCurveLine(2, 2); AddCurveLine(2, 3); AddCurveLine(0, 4); WriteAll(); },
       "lg0|ly0|lc1|lt1|pl|0 0 1 0|#|pl|0 0 2 0|0 0 3 0|#|0 0 4 0"},
      {"a dropped first segment: the curve opens at the next",
       [] { AddCurveLine(3, 0, 1); AddCurveLine(3, 2, 2); WriteAll(); },
       "lg0|ly0|lc1|lt1|z2|pl|0 0 2 0|#"},
      {"a curve of degenerate segments writes nothing",
       [] { AddCurveLine(3, 0); AddCurveLine(3, 1e-9); WriteAll(); }, "lg0|ly0"},
      {"a curve that ends the selection closes before the restated layer",
       [] { Drawing.FirstLayer = 2; AddCurveLine(1, 1); WriteAll(); },
       "lg0|ly2|ly0|lc1|lt1|pl|0 0 1 0|#|ly2"},
  });
  ResetWriter();
  for (int i = 0; i < 150; ++i) AddCurveLine(1, 1);
  FakeProgress escape(101);
  WriteElements(escape);
  EXPECT_EQ(RenderOutput(), FileOf(""));
}

TEST(OutputDriver, ShowsProgressAndPollsEscapeEveryHundredElements) {
  ResetWriter();
  AddLines(250, 0, 0);
  FakeProgress progress;
  WriteElements(progress);
  EXPECT_EQ(progress.shown, (decltype(progress.shown){{1, 250}, {101, 250}, {201, 250}}));
  EXPECT_EQ(OutputCount(), 4 + 250);
}

TEST(OutputDriver, EscapeEmptiesTheOutput) {
  const struct { std::int32_t escape_at, first_group, first_layer; std::string_view lines; } cases[] = {
      {1, 3, 4, "lg3|ly4"},
      {101, 0, 0, ""},  // the last element stated group 0, layer 0
      {101, 0, 7, "ly7"},
  };
  for (const auto& c : cases) {
    ResetWriter();
    Drawing.FirstGroup = c.first_group;
    Drawing.FirstLayer = c.first_layer;
    AddLines(150, 0, 0);
    AppendOutputLine("hd");
    FakeProgress progress(c.escape_at);
    WriteElements(progress);
    EXPECT_EQ(RenderOutput(), FileOf(c.lines)) << c.escape_at;
    EXPECT_EQ(progress.shown.size(), c.escape_at == 1 ? 1u : 2u);
  }
}

TEST(ExchangeFile, ReplacesAnExistingFile) {
  TTempFolder folder;
  const auto file = folder.Write("JWC_TEMP.TXT", "hq\r\nold drawing\r\n");
  ResetWriter();
  for (int i = 0; i < 60000; ++i) AppendTextOutputLines("ch 1 2 3 4 \"", std::string(i % 40, 'x'));
  ASSERT_TRUE(WriteExchangeFile(file));
  EXPECT_EQ(TTempFolder::Read(file), RenderOutput());
  EXPECT_EQ(folder.Entries(), 1);

  ClearOutput();
  ASSERT_TRUE(WriteExchangeFile(file));
  EXPECT_EQ(TTempFolder::Read(file), "hq\r\n");
}

TEST(ExchangeFile, FailureLeavesTheOldFileAndNoTemporaryFile) {
  TTempFolder folder;
  folder.Write("JWC_TEMP.TXT", "hq\r\n");
  std::filesystem::create_directory(folder / "DIR.TXT");
  folder.Write("DIR.TXT/inside", "kept");
  ResetWriter();
  AppendOutputLine("hd");

  EXPECT_FALSE(WriteExchangeFile(folder / "missing" / "JWC_TEMP.TXT"));
  EXPECT_FALSE(WriteExchangeFile(folder / "DIR.TXT"));
  EXPECT_FALSE(ReplaceFile(folder / "DIR.TXT", "bytes"));
  EXPECT_EQ(folder.Entries(), 2);
  EXPECT_EQ(TTempFolder::Read(folder / "JWC_TEMP.TXT"), "hq\r\n");
  EXPECT_EQ(TTempFolder::Read(folder / "DIR.TXT" / "inside"), "kept");
}

}  // namespace
}  // namespace kx27::testing
