#include "tests/win/settings_text.h"

namespace kx27::test {

std::string SettingsText::Render() const {
  std::string text;
  auto line = [&text](const std::string& content) { text += content + "\r\n"; };
  line(std::to_string(Left));
  line(std::to_string(Top));
  line(JwfFolder);
  line(std::to_string(PresetNo));
  for (std::size_t preset = 0; preset < Values.size(); ++preset) {
    line(Comments[preset]);
    for (int value : Values[preset]) line(std::to_string(value));
  }
  line(Dimensions ? "1" : "0");
  return text;
}

}  // namespace kx27::test
