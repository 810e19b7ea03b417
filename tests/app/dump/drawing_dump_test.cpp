#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "app/dump/drawing_dump.h"
#include "app/dump/json_writer.h"
#include "exchange/drawing.h"
#include "exchange/reader.h"

namespace kx27 {
namespace {

TEST(JsonWriter, StringsShowEveryByte) {
  using namespace std::string_literals;
  const std::pair<std::string, std::string> cases[] = {
      {"plain ~", "\"plain ~\""},
      {"q\"b\\", "\"q\\u0022b\\u005c\""},
      {"\x82\x6c\x82\x72", "\"\\u0082l\\u0082r\""},  // ＭＳ
      {"\t\0\x7f\xff"s, "\"\\u0009\\u0000\\u007f\\u00ff\""},
      {"", "\"\""},
  };
  for (const auto& [bytes, json] : cases) {
    std::string out;
    AppendJsonString(out, bytes);
    EXPECT_EQ(out, json);
  }
}

TEST(JsonWriter, RealsAndNesting) {
  std::string out;
  TJsonWriter w(out);
  w.BeginObject().Key("a").Real(5.0).Key("b").BeginArray().Real(0.1).Real(-1e300);
  w.Real(std::numeric_limits<double>::infinity()).BeginArray().EndArray().EndArray();
  w.Key("c").Bool(true).Key("d").Int(-7).Key("e").BeginObject().EndObject().EndObject();
  EXPECT_EQ(out, R"({"a":5,"b":[0.1,-1e+300,null,[]],"c":true,"d":-7,"e":{}})");
}

TEST(DrawingDump, ElementLinesNameEveryField) {
  TExchangeReader reader;
  for (const char* line :
       {"lc10 4", "sl 0 0 1 0.5 2 -1e-7", "msg", "cn$F", "cs 1 2 1 0 \"\x82\xa0"})
    reader.ParseLine(line);
  const TElementStore& store = reader.Drawing().Store;
  std::string out;
  for (const TOrderEntry& entry : store.OrderList) AppendElementJson(out, store, entry);
  AppendElementJson(out, store, TOrderEntry{kLine, 0});
  const std::string common =
      R"("HhpNo":0,"Group":0,"Layer":0,"Color":10,"LineType":1,"LineWidth":0,"ZFlags":0)";
  EXPECT_EQ(
      out,
      R"({"kind":10,"index":0,"rec":{)" + common +
          R"(,"Lc10Value":4,"X1":0,"Y1":0,"X2":1,"Y2":0.5,"X3":2,"Y3":-1e-07}})"
          "\n"
          R"({"kind":7,"index":0,"rec":{)" +
          common +
          R"(,"Line":{"HhpNo":0,"Group":0,"Layer":0,"Color":1,"LineType":1,"LineWidth":0,"ZFlags":0,)"
          R"("PolylineNo":0,"X1":0,"Y1":0,"X2":1,"Y2":0},)"
          R"("Text":{"HhpNo":0,"Group":0,"Layer":0,"Color":2,"LineType":1,"LineWidth":0,"ZFlags":0,)"
          R"("TextKind":2,"Cc":0,"TextType":1,"Width":3,"Height":3,"Spacing":0,"X":1,"Y":2,"DX":1,"DY":0,)"
          R"("FontName":"F","Text":"\u0082\u00a0"}}})"
          "\n"
          R"({"kind":1,"index":0,"rec":null})"
          "\n");
}

}  // namespace
}  // namespace kx27
