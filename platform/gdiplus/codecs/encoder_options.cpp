#include "platform/gdiplus/codecs/encoder_options.h"

#include <cstddef>
#include <cstring>

namespace vantrel::platform::gdiplus {
namespace {

struct ParameterOffer {
  GUID id;
  EncoderParameterValueType type;
  std::vector<std::uint32_t> values;  // LongRange: low, high
};

std::vector<ParameterOffer> OffersOf(EncoderKind kind) {
  switch (kind) {
    case EncoderKind::Jpeg:
      return {{EncoderQuality, EncoderParameterValueTypeLongRange, {0, 100}}};
    case EncoderKind::Tiff:
      return {{EncoderCompression,
               EncoderParameterValueTypeLong,
               {EncoderValueCompressionLZW, EncoderValueCompressionCCITT3,
                EncoderValueCompressionRle, EncoderValueCompressionCCITT4,
                EncoderValueCompressionNone}},
              {EncoderColorDepth, EncoderParameterValueTypeLong, {1, 8, 24, 32}},
              {EncoderSaveFlag, EncoderParameterValueTypeLong, {EncoderValueMultiFrame}}};
    default:
      return {};
  }
}

constexpr std::size_t kHeaderSize = offsetof(EncoderParameters, Parameter);

std::optional<std::uint32_t> SingleLong(const EncoderParameter& parameter) {
  if (parameter.NumberOfValues < 1 || parameter.Value == nullptr) return std::nullopt;
  if (parameter.Type != EncoderParameterValueTypeLong) return std::nullopt;
  std::uint32_t value;
  std::memcpy(&value, parameter.Value, sizeof value);
  return value;
}

bool IsCompression(std::uint32_t value) {
  return value >= EncoderValueCompressionLZW && value <= EncoderValueCompressionNone;
}

bool IsSaveFlag(std::uint32_t value) {
  return value == EncoderValueMultiFrame || value == EncoderValueLastFrame ||
         value == EncoderValueFlush || value == EncoderValueFrameDimensionPage;
}

}  // namespace

GpStatus ReadEncoderOptions(EncoderKind kind, const EncoderParameters* parameters,
                            EncoderOptions& options) {
  if (parameters == nullptr) return Ok;
  // The records run past the declared array; index through a pointer.
  const EncoderParameter* records = parameters->Parameter;
  for (UINT32 i = 0; i < parameters->Count; ++i) {
    const EncoderParameter& parameter = records[i];
    const auto value = SingleLong(parameter);
    if (!value) return InvalidParameter;
    if (kind == EncoderKind::Jpeg && parameter.Guid == EncoderQuality) {
      if (*value > 100) return InvalidParameter;
      options.quality = static_cast<int>(*value);
    } else if (kind == EncoderKind::Tiff && parameter.Guid == EncoderCompression) {
      if (!IsCompression(*value)) return InvalidParameter;
      options.compression = static_cast<EncoderValue>(*value);
    } else if (kind == EncoderKind::Tiff && parameter.Guid == EncoderColorDepth) {
      if (*value != 1 && *value != 8 && *value != 24 && *value != 32) return InvalidParameter;
      options.colourDepth = static_cast<int>(*value);
    } else if (parameter.Guid == EncoderSaveFlag) {
      // Only TIFF holds pages; the flag is meaningless but harmless for the other encoders.
      if (!IsSaveFlag(*value)) return InvalidParameter;
      options.saveFlag = static_cast<EncoderValue>(*value);
    } else {
      return InvalidParameter;
    }
  }
  return Ok;
}

UINT EncoderParameterListSize(EncoderKind kind) {
  std::size_t size = kHeaderSize;
  for (const ParameterOffer& offer : OffersOf(kind)) {
    size += sizeof(EncoderParameter) + offer.values.size() * sizeof(std::uint32_t);
  }
  return static_cast<UINT>(size < sizeof(EncoderParameters) ? sizeof(EncoderParameters) : size);
}

GpStatus WriteEncoderParameterList(EncoderKind kind, UINT size, EncoderParameters* buffer) {
  if (buffer == nullptr) return InvalidParameter;
  if (size < EncoderParameterListSize(kind)) return InsufficientBuffer;
  const std::vector<ParameterOffer> offers = OffersOf(kind);
  auto* bytes = reinterpret_cast<std::uint8_t*>(buffer);
  std::uint8_t* values = bytes + kHeaderSize + offers.size() * sizeof(EncoderParameter);
  buffer->Count = static_cast<UINT32>(offers.size());
  EncoderParameter* records = buffer->Parameter;
  for (std::size_t i = 0; i < offers.size(); ++i) {
    const ParameterOffer& offer = offers[i];
    EncoderParameter& parameter = records[i];
    parameter.Guid = offer.id;
    parameter.Type = offer.type;
    // A range is one value made of two numbers.
    parameter.NumberOfValues = static_cast<UINT32>(
        offer.type == EncoderParameterValueTypeLongRange ? offer.values.size() / 2
                                                         : offer.values.size());
    parameter.Value = values;
    std::memcpy(values, offer.values.data(), offer.values.size() * sizeof(std::uint32_t));
    values += offer.values.size() * sizeof(std::uint32_t);
  }
  return Ok;
}

}  // namespace vantrel::platform::gdiplus
