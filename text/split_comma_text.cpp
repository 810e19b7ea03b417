#include <new>

#include "text/conversions.h"
#include "text/shift_jis.h"

namespace kx27 {

namespace {

bool IsBlank(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 0x01 && byte <= 0x20;
}

std::size_t SkipBlanks(std::string_view text, std::size_t p) {
  while (p < text.size() && IsBlank(text[p])) ++p;
  return p;
}

// Reads the quoted item that starts at the quote at p into item (when given)
// and returns the position after its closing quote. Without a closing quote
// the item runs to the end of the text.
std::size_t ReadQuoted(std::string_view text, std::size_t p, std::string* item) {
  if (item != nullptr) item->clear();
  ++p;
  while (p < text.size()) {
    const std::size_t quote = text.find('"', p);
    if (quote == std::string_view::npos) {
      if (item != nullptr) item->append(text.substr(p));
      return text.size();
    }
    if (item != nullptr) item->append(text.substr(p, quote - p));
    if (quote + 1 < text.size() && text[quote + 1] == '"') {
      if (item != nullptr) item->push_back('"');
      p = quote + 2;
    } else {
      return quote + 1;
    }
  }
  return p;
}

std::size_t SkipPlainItem(std::string_view text, std::size_t p) {
  while (p < text.size() && text[p] != ',' && !IsBlank(text[p])) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(text[p])) && p + 1 < text.size();
    p += pair ? 2 : 1;
  }
  return p;
}

}  // namespace

int SplitCommaText(std::string_view text, std::span<std::string> slots) {
  int count = 0;
  try {
    std::size_t p = SkipBlanks(text, 0);
    while (p < text.size()) {
      // Surplus items are still scanned so that the count stays true.
      std::string* slot = static_cast<std::size_t>(count) < slots.size()
                              ? &slots[static_cast<std::size_t>(count)]
                              : nullptr;
      if (text[p] == '"') {
        p = ReadQuoted(text, p, slot);
      } else {
        const std::size_t end = SkipPlainItem(text, p);
        if (slot != nullptr) slot->assign(text.substr(p, end - p));
        p = end;
      }
      ++count;
      p = SkipBlanks(text, p);
      if (p < text.size() && text[p] == ',') {
        if (p + 1 == text.size()) {
          if (static_cast<std::size_t>(count) < slots.size()) {
            slots[static_cast<std::size_t>(count)].clear();
          }
          ++count;
        }
        p = SkipBlanks(text, p + 1);
      }
    }
  } catch (const std::bad_alloc&) {
    return -1;
  }
  return count;
}

}  // namespace kx27
