#include "app/picture/svg_writer.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/app/picture/picture_drawing.h"
#include "tests/app/picture/svg_check.h"

namespace kx27 {
namespace {

using namespace testing;

TPictureOptions Options(bool before) {
  TPictureOptions options;
  options.Values[0 * 16 + 2] = 5;  // group 0 layer 2: the circle and the arcs
  options.Values[1 * 16 + 3] = 9;  // the dimension
  options.Dimensions = true;
  options.Before = before;
  return options;
}

// The dash arrays of the strokes of one layer.
std::multiset<std::string> Dashes(const TXmlRead& read, std::string_view layer) {
  std::multiset<std::string> dashes;
  for (const TXmlElement* line : read.Named("polyline"))
    if (line->Groups.back() == layer) {
      const auto dash = line->Attributes.find("stroke-dasharray");
      dashes.insert(dash == line->Attributes.end() ? "solid" : dash->second);
    }
  return dashes;
}

TEST(PictureSvg, WellFormedWithEveryElementInItsLayer) {
  const std::string svg = PictureSvg(BuildPicture(ReadDrawing(kPictureDrawing), Options(false)));
  const TXmlRead read = ReadXml(svg);
  ASSERT_TRUE(read.WellFormed) << read.Problem;
  const TXmlElement& root = read.Elements[0];
  EXPECT_EQ(root.Name, "svg");
  EXPECT_EQ(root.Attributes.at("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(root.Attributes.at("version"), "1.1");
  EXPECT_EQ(root.Attributes.at("width"), "1200");
  EXPECT_EQ(read.Named("title")[0]->Text, "The selection, line types after OK");
  EXPECT_EQ(read.Named("rect")[0]->Attributes.at("fill"), "#FFFFFF");

  // Five lines, the circle and two arcs, the dimension line; four solids;
  // three texts and the dimension's value; two points.
  const std::pair<std::string_view, std::size_t> counts[] = {
      {"polyline", 9}, {"polygon", 4}, {"text", 4}, {"circle", 2}};
  for (const auto& [name, count] : counts) EXPECT_EQ(read.Named(name).size(), count) << name;

  std::vector<std::vector<std::string>> layers;
  for (const TXmlElement* g : read.Named("g")) layers.push_back(g->Groups);
  const std::vector<std::vector<std::string>> expected_groups = {{},
                                                                 {""},
                                                                 {"", "group-0"},
                                                                 {"", "group-0"},
                                                                 {"", "group-0"},
                                                                 {"", "group-0"},
                                                                 {""},
                                                                 {"", "group-1"},
                                                                 {"", "group-1"}};
  EXPECT_EQ(layers, expected_groups);
  std::vector<std::string> ids;
  for (const TXmlElement* g : read.Named("g"))
    ids.push_back(g->Attributes.count("id") ? g->Attributes.at("id") : "");
  const std::vector<std::string> expected_ids = {"",          "group-0",   "layer-0-1",
                                                 "layer-0-2", "layer-0-3", "layer-0-4",
                                                 "group-1",   "layer-1-3", "layer-1-6"};
  EXPECT_EQ(ids, expected_ids);

  std::set<std::string> texts;
  for (const TXmlElement* text : read.Named("text")) texts.insert(text->Text);
  EXPECT_EQ(texts, (std::set<std::string>{"文字 AB", "ｱｲ", "100", "a<b&c"}));
  EXPECT_NE(svg.find(">a&lt;b&amp;c</text>"), std::string::npos);
  const TXmlElement& upright = *read.Named("text")[1];
  EXPECT_TRUE(upright.Attributes.at("transform").starts_with("rotate(-90 "))
      << upright.Attributes.at("transform");
  EXPECT_EQ(upright.Attributes.at("fill"), "#008080");

  // Colours: the solid of colour 10 is red, the dimension's value colour 8.
  std::set<std::string> fills;
  for (const TXmlElement* polygon : read.Named("polygon"))
    fills.insert(polygon->Attributes.at("fill"));
  EXPECT_EQ(fills, (std::set<std::string>{"#C0C000", "#FF0000", "#C000C0"}));
  EXPECT_EQ(read.Named("text")[2]->Attributes.at("fill"), "#FF0080");
}

TEST(PictureSvg, LineTypesAfterOkOrAsTheyAreNow) {
  struct TCase {
    bool Before;
    std::string_view Layer;
    std::multiset<std::string> Dashes;
  };
  const TCase cases[] = {
      {false, "layer-0-1", {"solid", "solid", "solid", "solid"}},
      {false, "layer-0-2", {"14 3 2 3", "14 3 2 3", "14 3 2 3"}},
      {true, "layer-0-2", {"8 4", "8 4", "8 4"}},
      {false, "layer-1-3", {"1 2"}},
      {true, "layer-1-3", {"solid"}},
      // The random line is drawn as a wave of points, without dashes.
      {false, "layer-0-3", {"solid"}},
  };
  for (const TCase& c : cases) {
    const TXmlRead read =
        ReadXml(PictureSvg(BuildPicture(ReadDrawing(kPictureDrawing), Options(c.Before))));
    ASSERT_TRUE(read.WellFormed) << read.Problem;
    EXPECT_EQ(Dashes(read, c.Layer), c.Dashes) << c.Layer << " " << c.Before;
  }
  const TXmlRead before =
      ReadXml(PictureSvg(BuildPicture(ReadDrawing(kPictureDrawing), Options(true))));
  EXPECT_EQ(before.Named("title")[0]->Text, "The selection, line types as they are now");
}

TEST(PictureSvg, EmptyAndOddDrawingsStayValid) {
  const std::string_view drawings[] = {
      "hq\r\n",
      "hq\r\npt 5 5\r\n",
      "hq\r\n0 0 1e300 0\r\n",
      // Bytes that no XML may hold, and a lone lead byte.
      "hq\r\nch 0 0 1 0 \"a\x01\x1f\x7f<\"\x82\r\n",
  };
  for (const std::string_view drawing : drawings) {
    const TXmlRead read = ReadXml(PictureSvg(BuildPicture(ReadDrawing(drawing), {})));
    ASSERT_TRUE(read.WellFormed) << drawing << ": " << read.Problem;
    // A point far off the screen is still written as a number.
    for (const TXmlElement* line : read.Named("polyline"))
      EXPECT_EQ(line->Attributes.at("points").find_first_not_of("-0123456789., "),
                std::string::npos)
          << drawing;
  }
}

TEST(WritePictureSvg, ReplacesTheFileInOneStep) {
  TTempFolder folder;
  const std::filesystem::path file = folder.Write("out.svg", "old");
  const TPicture picture = BuildPicture(ReadDrawing(kPictureDrawing), Options(false));
  EXPECT_EQ(WritePictureSvg(file, picture), TReplaceResult::kReplaced);
  EXPECT_EQ(TTempFolder::Read(file), PictureSvg(picture));
  EXPECT_EQ(folder.Entries(), 1);
}

}  // namespace
}  // namespace kx27
