// Writes an exchange file as the host would hand it over, of a given number
// of elements, for measuring the console program:
//   generate_exchange FILE ELEMENTS [SEED] [MIX]
// MIX is "typical" (the default: lines, circles, arcs, texts, dimensions,
// solids and points), "dimensions" (nine in ten elements are dimension
// figures) or "texts" (nine in ten are short texts near the origin, the
// smallest lines an element takes) or "plan" (the typical kinds, but each
// element no more than 1.2 m across somewhere in the 40 m square, as the
// walls, doors and fixtures of a floor plan are: for the picture, whose
// cost grows with the pixels an element covers, where "typical" spans
// the whole drawing with nearly every line and solid).

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

namespace {

enum class TMix { kTypical, kDimensions, kTexts, kPlan };

class TGenerator {
 public:
  TGenerator(std::uint64_t seed, TMix mix) : random_(seed), mix_(mix) {}

  void Header() {
    Line("hq");
    Line("file=C:\\jww\\bench.jww");
    Line("hk 0");
    Line("hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1");
    Line("hzs 1189 841");
    Line("hcw 1 1.5 2 2.5 3 4 5 6 7 8");
    Line("hch 1 1.5 2 2.5 3 4 5 6 7 8");
    Line("hcd 0 0 0 0 0 0 0 0 0 0");
    Line("hcc 1 1 1 1 1 1 1 1 1 1");
    Line("hn 0 0 0 0");
  }

  void Element() {
    ChangeAttributes();
    if (mix_ == TMix::kPlan) {
      anchor_[0] = Pick(40000) - 20000;
      anchor_[1] = Pick(40000) - 20000;
    }
    if (mix_ != TMix::kTypical && mix_ != TMix::kPlan && Pick(10) != 0) {
      if (mix_ == TMix::kDimensions)
        Dimension();
      else
        ShortText();
      End();
      return;
    }
    const int kind = Pick(100);
    if (kind < 45) {
      Numbers("", 4);
    } else if (kind < 55) {
      Numbers("ci ", 2);
      Append(' ');
      Coordinate(1, 500);
    } else if (kind < 63) {
      Numbers("ci ", 2);
      out_ += " 25.5 0 0.7854 1 0";
    } else if (kind < 73) {
      Text("ch ");
    } else if (kind < 78) {
      Dimension();
    } else if (kind < 85) {
      Numbers("sl ", 6);
    } else if (kind < 88) {
      Numbers("sl ", 8);
    } else if (kind < 93) {
      Numbers("pt ", 2);
    } else if (kind < 96) {
      out_ += "lc10 ";
      AppendInt(Pick(0xFFFFFF));
      End();
      Numbers("sl ", 4);
    } else {
      Line("hhp1");
      Numbers("", 4);
    }
    End();
  }

  const std::string& Bytes() const { return out_; }

 private:
  void Dimension() {
    Line("msg");
    Numbers("", 4);
    End();
    Text("cs ");
  }

  // "ch 12 3 1 0 \"A7": a text of two characters at a small position.
  void ShortText() {
    out_ += "ch ";
    AppendInt(Pick(100));
    Append(' ');
    AppendInt(Pick(100));
    out_ += " 1 0 \"";
    Append("ABCDEFGH"[Pick(8)]);
    AppendInt(Pick(10));
  }

  void ChangeAttributes() {
    if (Pick(200) == 0) {
      out_ += "lg";
      Append("0123456789ABCDEF"[Pick(16)]);
      End();
    }
    if (Pick(20) == 0) {
      out_ += "ly";
      Append("0123456789ABCDEF"[Pick(16)]);
      End();
    }
    if (Pick(8) == 0) {
      out_ += "lc";
      AppendInt(1 + Pick(9));
      End();
    }
    if (Pick(8) == 0) {
      out_ += "lt";
      AppendInt(1 + Pick(9));
      End();
    }
  }

  void Text(std::string_view keyword) {
    Numbers(keyword, 2);
    out_ += " 1 0 \"";
    if (Pick(2) == 0) {
      out_ += "\x8f\x5a\x8b\x8f\x82\xcc\x90\x7d\x96\xca No.";  // 住居の図面 No.
    } else {
      out_ += "Room ";
    }
    AppendInt(Pick(1000));
  }

  void Numbers(std::string_view keyword, int count) {
    out_ += keyword;
    for (int i = 0; i < count; ++i) {
      if (i > 0) Append(' ');
      if (mix_ == TMix::kPlan) {
        Coordinate(anchor_[i % 2] - 600, anchor_[i % 2] + 600);
      } else {
        Coordinate(-20000, 20000);
      }
    }
  }

  // A value with up to five decimals, as drawings usually hold.
  void Coordinate(int low, int high) {
    constexpr std::int64_t kScale = 100000;
    const std::int64_t scaled =
        std::uniform_int_distribution<std::int64_t>(low * kScale, high * kScale)(random_);
    if (scaled < 0) Append('-');
    const std::int64_t magnitude = scaled < 0 ? -scaled : scaled;
    AppendInt(magnitude / kScale);
    std::int64_t fraction = magnitude % kScale;
    if (fraction == 0) return;
    char digits[5];
    for (int i = 4; i >= 0; --i, fraction /= 10) digits[i] = static_cast<char>('0' + fraction % 10);
    int length = 5;
    while (digits[length - 1] == '0') --length;
    Append('.');
    out_.append(digits, static_cast<std::size_t>(length));
  }

  void Line(std::string_view line) {
    out_ += line;
    End();
  }

  void End() { out_ += "\r\n"; }

  void Append(char c) { out_.push_back(c); }

  void AppendInt(std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out_.append(digits, end);
  }

  int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

  std::mt19937_64 random_;
  TMix mix_;
  int anchor_[2] = {0, 0};  // x and y of the element's place, for kPlan
  std::string out_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mix_name = argc > 4 ? argv[4] : "typical";
  const TMix mix = mix_name == "dimensions" ? TMix::kDimensions
                   : mix_name == "texts"    ? TMix::kTexts
                   : mix_name == "plan"     ? TMix::kPlan
                                            : TMix::kTypical;
  if (argc < 3 || argc > 5 || (mix == TMix::kTypical && mix_name != "typical")) {
    std::fputs("usage: generate_exchange FILE ELEMENTS [SEED] [typical|dimensions|texts|plan]\n",
               stderr);
    return 2;
  }
  const long long elements = std::atoll(argv[2]);
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;

  TGenerator generator(seed, mix);
  generator.Header();
  for (long long i = 0; i < elements; ++i) generator.Element();

  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const std::string& text = generator.Bytes();
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
