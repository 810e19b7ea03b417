#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "app/json_writer.h"

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

}  // namespace
}  // namespace kx27
