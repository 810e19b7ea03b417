#pragma once

// Reads an SVG file back as a tiny XML parser would: fails on a tag that
// is not closed or closed out of turn, an attribute without quotes, a raw
// "<" or a stray "&" in text; gives every element with its attributes, its
// text and the ids of the groups around it.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kx27::testing {

struct TXmlElement {
  std::string Name;
  std::map<std::string, std::string> Attributes;
  std::string Text;
  std::vector<std::string> Groups;  // ids of the enclosing <g>s, outermost first
};

struct TXmlRead {
  bool WellFormed = false;
  std::string Problem;
  std::vector<TXmlElement> Elements;

  std::vector<const TXmlElement*> Named(std::string_view name) const {
    std::vector<const TXmlElement*> named;
    for (const TXmlElement& element : Elements)
      if (element.Name == name) named.push_back(&element);
    return named;
  }
};

inline bool ValidEntities(std::string_view text) {
  for (std::size_t at = text.find('&'); at != std::string_view::npos; at = text.find('&', at + 1)) {
    const std::string_view rest = text.substr(at);
    if (!rest.starts_with("&amp;") && !rest.starts_with("&lt;") && !rest.starts_with("&gt;") &&
        !rest.starts_with("&quot;") && !rest.starts_with("&apos;"))
      return false;
  }
  return true;
}

inline std::string Unescaped(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      plain += text[i];
      continue;
    }
    const std::size_t end = text.find(';', i);
    const std::string_view entity = text.substr(i, end - i + 1);
    plain += entity == "&amp;"    ? '&'
             : entity == "&lt;"   ? '<'
             : entity == "&gt;"   ? '>'
             : entity == "&quot;" ? '"'
                                  : '\'';
    i = end;
  }
  return plain;
}

inline TXmlRead ReadXml(std::string_view xml) {
  TXmlRead read;
  const auto fail = [&](std::string problem) {
    read.Problem = std::move(problem);
    return read;
  };
  if (!xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) return fail("no declaration");
  std::size_t pos = xml.find("?>") + 2;
  std::vector<std::size_t> open;  // indices into Elements
  std::vector<std::string> groups;
  bool root_seen = false;
  while (pos < xml.size()) {
    const std::size_t tag = xml.find('<', pos);
    const std::string_view text =
        xml.substr(pos, (tag == std::string_view::npos ? xml.size() : tag) - pos);
    if (!ValidEntities(text)) return fail("stray & in text");
    if (!open.empty())
      read.Elements[open.back()].Text += Unescaped(text);
    else if (text.find_first_not_of(" \n") != std::string_view::npos)
      return fail("text outside the root");
    if (tag == std::string_view::npos) break;
    const std::size_t end = xml.find('>', tag);
    if (end == std::string_view::npos) return fail("tag not ended");
    std::string_view inside = xml.substr(tag + 1, end - tag - 1);
    pos = end + 1;
    if (inside.starts_with('/')) {
      if (open.empty() || read.Elements[open.back()].Name != inside.substr(1))
        return fail("closed out of turn: " + std::string(inside));
      if (inside == "/g") groups.pop_back();
      open.pop_back();
      continue;
    }
    const bool empty = inside.ends_with('/');
    if (empty) inside.remove_suffix(1);
    TXmlElement element;
    const std::size_t name_end = std::min(inside.find(' '), inside.size());
    element.Name = std::string(inside.substr(0, name_end));
    std::string_view rest = inside.substr(name_end);
    while (!rest.empty()) {
      if (rest.front() == ' ') {
        rest.remove_prefix(1);
        continue;
      }
      const std::size_t equals = rest.find("=\"");
      if (equals == std::string_view::npos)
        return fail("attribute without quotes in " + element.Name);
      const std::size_t close = rest.find('"', equals + 2);
      if (close == std::string_view::npos) return fail("attribute not closed");
      const std::string_view value = rest.substr(equals + 2, close - equals - 2);
      if (value.find('<') != std::string_view::npos || !ValidEntities(value))
        return fail("raw < or & in an attribute");
      if (!element.Attributes.emplace(std::string(rest.substr(0, equals)), Unescaped(value)).second)
        return fail("attribute twice");
      rest.remove_prefix(close + 1);
    }
    if (open.empty()) {
      if (root_seen) return fail("two roots");
      root_seen = true;
    }
    element.Groups = groups;
    read.Elements.push_back(element);
    if (!empty) {
      open.push_back(read.Elements.size() - 1);
      if (element.Name == "g") groups.push_back(element.Attributes["id"]);
    }
  }
  if (!open.empty()) return fail("not closed: " + read.Elements[open.back()].Name);
  read.WellFormed = root_seen;
  return read;
}

}  // namespace kx27::testing
