// The cell list: "width" W "height" H "+", then "x,y,true|" or "x,y,false|" per module, row by
// row. Each column's x text and each row's y text are made once; the list is written into
// one buffer of its exact size.
#include <cstring>
#include <vector>

#include "encoder/number_text.h"
#include "encoder/qr_code.h"

namespace vantrel::encoder {
namespace {

constexpr std::string_view kDark = "true";
constexpr std::string_view kLight = "false";

char* append(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

}  // namespace

std::string drawwww(const SymbolModel& model, double width, double height) {
  const int n = model.getModuleCount();
  const double fx = width / n;
  const double fy = height / n;
  const std::string header =
      "width" + numberToText(roundHalfUp(fx)) + "height" + numberToText(roundHalfUp(fy)) + "+";

  std::vector<std::string> xTexts(static_cast<std::size_t>(n));
  std::vector<std::string> yTexts(static_cast<std::size_t>(n));
  std::size_t xTotal = 0;
  std::size_t yTotal = 0;
  for (int i = 0; i < n; ++i) {
    xTexts[i] = numberToText(i * fx) + ",";
    yTexts[i] = numberToText(i * fy) + ",";
    xTotal += xTexts[i].size();
    yTotal += yTexts[i].size();
  }
  const std::span<const std::uint8_t> modules = model.modules();
  std::size_t lightCount = 0;
  for (const std::uint8_t m : modules) lightCount += m != SymbolModel::DARK;

  const std::size_t cells = static_cast<std::size_t>(n) * n;
  const std::size_t size = header.size() + xTotal * n + yTotal * n + cells * (kDark.size() + 1) +
                           lightCount * (kLight.size() - kDark.size());
  std::string list(size, '\0');
  char* out = append(list.data(), header);
  for (int row = 0; row < n; ++row) {
    const std::string_view y = yTexts[row];
    const std::uint8_t* cellsOfRow = modules.data() + static_cast<std::size_t>(row) * n;
    for (int col = 0; col < n; ++col) {
      out = append(out, xTexts[col]);
      out = append(out, y);
      out = append(out, cellsOfRow[col] == SymbolModel::DARK ? kDark : kLight);
      *out++ = '|';
    }
  }
  return list;
}

}  // namespace vantrel::encoder
