#pragma once

// Compact JSON for the developer dump: Shift_JIS bytes shown byte for byte,
// reals in their shortest round-trip form.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kx27 {

// Printable ASCII other than '"' and '\' stands as itself; every other byte
// becomes \u00xx with its value, so a byte string survives any encoding.
void AppendJsonString(std::string& out, std::string_view bytes);

// Shortest text that reads back as the same double; null for infinities and
// NaN, which JSON cannot carry.
void AppendJsonReal(std::string& out, double value);

// Writes objects and arrays into out, placing the commas.
class TJsonWriter {
 public:
  explicit TJsonWriter(std::string& out) : out_(out) {}

  // Inside an object every value is preceded by its Key.
  TJsonWriter& Key(std::string_view name);
  TJsonWriter& BeginObject();
  TJsonWriter& EndObject();
  TJsonWriter& BeginArray();
  TJsonWriter& EndArray();
  TJsonWriter& Int(std::int64_t value);
  TJsonWriter& Real(double value);
  TJsonWriter& Bool(bool value);
  TJsonWriter& String(std::string_view bytes);
  TJsonWriter& Null();

 private:
  void BeforeValue();

  std::string& out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool after_key_ = false;
};

}  // namespace kx27
