#include "app/dump/json_writer.h"

#include <charconv>
#include <cmath>

#include "text/number_format.h"

namespace kx27 {

void AppendJsonString(std::string& out, std::string_view bytes) {
  constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte <= 0x7E && c != '"' && c != '\\') {
      out += c;
    } else {
      const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 15]};
      out.append(escape, sizeof escape);
    }
  }
  out += '"';
}

void AppendJsonReal(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

TJsonWriter& TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  AppendJsonString(out_, name);
  out_ += ':';
  after_key_ = true;
  return *this;
}

TJsonWriter& TJsonWriter::BeginObject() {
  BeforeValue();
  out_ += '{';
  first_.push_back(true);
  return *this;
}

TJsonWriter& TJsonWriter::EndObject() {
  out_ += '}';
  first_.pop_back();
  return *this;
}

TJsonWriter& TJsonWriter::BeginArray() {
  BeforeValue();
  out_ += '[';
  first_.push_back(true);
  return *this;
}

TJsonWriter& TJsonWriter::EndArray() {
  out_ += ']';
  first_.pop_back();
  return *this;
}

TJsonWriter& TJsonWriter::Int(std::int64_t value) {
  BeforeValue();
  AppendInt(out_, value);
  return *this;
}

TJsonWriter& TJsonWriter::Real(double value) {
  BeforeValue();
  AppendJsonReal(out_, value);
  return *this;
}

TJsonWriter& TJsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

TJsonWriter& TJsonWriter::String(std::string_view bytes) {
  BeforeValue();
  AppendJsonString(out_, bytes);
  return *this;
}

TJsonWriter& TJsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

void TJsonWriter::BeforeValue() {
  // A value right after its key needs no comma; the key already had one.
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) out_ += ',';
  first_.back() = false;
}

}  // namespace kx27
