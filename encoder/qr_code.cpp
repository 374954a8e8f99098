#include "encoder/qr_code.h"

#include "encoder/version_search.h"

namespace vantrel::encoder {

std::string QRCode::makeCode(std::u16string_view text, double width, double height) {
  options_.width = width;
  options_.height = height;
  options_.correctLevel = CorrectLevel::H;
  model_.reset();
  const int typeNumber = findTypeNumber(text, options_.correctLevel);
  model_.emplace(typeNumber, options_.correctLevel);
  model_->addData(text);
  model_->make();
  return drawwww(*model_, options_.width, options_.height);
}

}  // namespace vantrel::encoder
