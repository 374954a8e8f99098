#include "encoder/entry.h"

#include "encoder/qr_code.h"

namespace vantrel::encoder {

std::string test(std::u16string_view content, double width, double height) {
  QRCode qrcode;
  return qrcode.makeCode(content, width, height);
}

}  // namespace vantrel::encoder
