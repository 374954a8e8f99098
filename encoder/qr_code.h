#pragma once
// The encoder object: one run makes the symbol at level H and writes its cell list.
#include <optional>
#include <string>
#include <string_view>

#include "encoder/correct_level.h"
#include "encoder/symbol_model.h"

namespace vantrel::encoder {

class QRCode {
 public:
  using CorrectLevel = encoder::CorrectLevel;

  struct Options {
    double width = 256;
    double height = 256;
    int correctLevel = CorrectLevel::H;
  };

  // Throws EncoderError ("Too long data" past 1,273 content bytes).
  std::string makeCode(std::u16string_view text, double width, double height);

  const Options& options() const { return options_; }
  // The symbol model of the last run, if any.
  const std::optional<SymbolModel>& model() const { return model_; }

 private:
  Options options_;
  std::optional<SymbolModel> model_;
};

// The finished symbol for text at level H in the smallest version that holds it. Throws
// EncoderError ("Too long data").
SymbolModel makeSymbol(std::u16string_view text);

// The cell list of a built model for an image of width x height pixels.
std::string drawwww(const SymbolModel& model, double width, double height);

}  // namespace vantrel::encoder
