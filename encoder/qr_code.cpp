#include "encoder/qr_code.h"

#include "encoder/version_search.h"

namespace vantrel::encoder {

std::string QRCode::makeCode(std::u16string_view text, double width, double height) {
  options_.width = width;
  options_.height = height;
  options_.correctLevel = CorrectLevel::H;
  model_.reset();
  model_.emplace(makeSymbol(text));
  return drawwww(*model_, options_.width, options_.height);
}

SymbolModel makeSymbol(std::u16string_view text) {
  SymbolModel model(findTypeNumber(text, CorrectLevel::H), CorrectLevel::H);
  model.addData(text);
  model.make();
  return model;
}

}  // namespace vantrel::encoder
