#include "app/console/report.h"

#include "app/grid/layer_names.h"
#include "app/presets/line_type_names.h"
#include "text/grouped_digits.h"

namespace kx27 {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendRight(std::string& out, const std::string& text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

}  // namespace

std::string DryRunReport(const TDrawingState& drawing, const TLayerSummary& summary,
                         const TPreset& preset, bool dimensions) {
  std::string report;
  std::int64_t total = 0;
  for (int cell = 0; cell < 256; ++cell) {
    const std::int32_t value = preset.Values[static_cast<std::size_t>(cell)];
    const std::int64_t changed = summary.Changed(cell, value, dimensions);
    if (changed == 0) continue;
    total += changed;
    report += GroupLabel(drawing, cell / 16) + " / " + LayerLabel(drawing, cell / 16, cell % 16) +
              ": " + GroupedDigits(changed) + " -> " + std::to_string(value) + " " +
              LineTypeName(value) + "\n";
  }
  report +=
      "total: " + GroupedDigits(total) + " elements would change" +
      (dimensions ? " (dimension lines included)\n" : " (dimension lines left as they are)\n");
  return report;
}

std::string PresetReport(int preset_no, const TPreset& preset, const TDrawingState* drawing) {
  std::string report = "preset " + std::to_string(preset_no) + ": " + preset.Comment + "\n ";
  for (char digit : std::string_view(kHexDigits, 16)) AppendRight(report, std::string(1, digit), 3);
  report += '\n';
  for (int group = 0; group < 16; ++group) {
    report += kHexDigits[group];
    for (int layer = 0; layer < 16; ++layer) {
      AppendRight(report,
                  std::to_string(preset.Values[static_cast<std::size_t>(group * 16 + layer)]), 3);
    }
    if (drawing && !GroupName(*drawing, group).empty()) {
      report += "  ";
      report += GroupName(*drawing, group);
    }
    report += '\n';
  }
  if (!drawing) return report;
  for (int group = 0; group < 16; ++group) {
    std::string named;
    for (int layer = 0; layer < 16; ++layer) {
      if (LayerName(*drawing, group, layer).empty()) continue;
      named += (named.empty() ? "" : ", ") + LayerLabel(*drawing, group, layer);
    }
    if (!named.empty())
      report += "layers of group " + GroupLabel(*drawing, group) + ": " + named + "\n";
  }
  return report;
}

}  // namespace kx27
