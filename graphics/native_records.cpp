#include "graphics/native_records.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

#include "graphics/text_helpers.h"

namespace vantrel::graphics {
namespace {

namespace gp = platform::gdiplus;

constexpr std::size_t kFirstParameter = offsetof(gp::EncoderParameters, Parameter);

std::size_t ParameterBlockBytes(std::size_t entries) {
  return std::max(sizeof(gp::EncoderParameters),
                  kFirstParameter + entries * sizeof(gp::EncoderParameter));
}

// The entries run past the struct's declared array of one, so they are reached by address.
gp::EncoderParameter* EntryAt(void* block, std::size_t index) {
  return reinterpret_cast<gp::EncoderParameter*>(static_cast<std::byte*>(block) +
                                                 kFirstParameter) +
         index;
}
const gp::EncoderParameter* EntryAt(const void* block, std::size_t index) {
  return EntryAt(const_cast<void*>(block), index);
}

// A copy of `length` bytes at `address`, when they lie within the buffer the library filled.
std::vector<std::uint8_t> CopyFromBuffer(const RecordBuffer& buffer, const void* address,
                                         std::size_t length) {
  if (address == nullptr || length == 0 || !buffer.Holds(address, length)) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(address);
  return {bytes, bytes + length};
}

// The UTF-16 string at `text`, read only when its terminator lies within the buffer.
std::string TextFromBuffer(const RecordBuffer& buffer, const char16_t* text) {
  if (text == nullptr || !buffer.Holds(text, sizeof(char16_t))) return {};
  const auto* end = static_cast<const std::byte*>(buffer.data()) + buffer.size();
  for (const char16_t* unit = text; reinterpret_cast<const std::byte*>(unit + 1) <= end; ++unit) {
    if (*unit == 0) return WideToText(text);
  }
  return {};
}

}  // namespace

bool RecordBuffer::Holds(const void* address, std::size_t length) const {
  const auto begin = reinterpret_cast<std::uintptr_t>(data());
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  return at >= begin && at - begin <= bytes_ && length <= bytes_ - (at - begin);
}

std::size_t EncoderValueSize(std::int32_t type) {
  switch (type) {
    case gp::EncoderParameterValueTypeByte:
    case gp::EncoderParameterValueTypeASCII:
    case gp::EncoderParameterValueTypeUndefined: return 1;
    case gp::EncoderParameterValueTypeShort: return 2;
    case gp::EncoderParameterValueTypeLong: return 4;
    case gp::EncoderParameterValueTypeRational:
    case gp::EncoderParameterValueTypeLongRange: return 8;
    case gp::EncoderParameterValueTypeRationalRange: return 16;
    default: return 0;
  }
}

NativeParameterBlock::NativeParameterBlock(const EncoderParamList& list)
    : buffer_(ParameterBlockBytes(list.params.size())) {
  auto* block = new (buffer_.data()) gp::EncoderParameters{};
  // A count above the array's length would send the library past the block's end.
  block->Count = static_cast<gp::UINT32>(
      std::clamp<std::int64_t>(list.count, 0, static_cast<std::int64_t>(list.params.size())));
  for (std::size_t i = 0; i < list.params.size(); ++i) {
    const EncoderParam& param = list.params[i];
    auto* entry = new (EntryAt(buffer_.data(), i)) gp::EncoderParameter{};
    entry->Guid = TextToGuid(param.guid);
    entry->NumberOfValues = static_cast<gp::UINT32>(param.numberOfValues);
    entry->Type = static_cast<gp::UINT32>(param.type);
    entry->Value = param.value.empty() ? nullptr : const_cast<std::uint8_t*>(param.value.data());
  }
}

EncoderParamList ReadParameterBlock(const RecordBuffer& buffer) {
  EncoderParamList list;
  if (buffer.size() < kFirstParameter) return list;
  const auto* block = static_cast<const gp::EncoderParameters*>(buffer.data());
  const std::size_t fits = (buffer.size() - kFirstParameter) / sizeof(gp::EncoderParameter);
  const std::size_t count = std::min<std::size_t>(block->Count, fits);
  list.count = static_cast<std::int32_t>(count);
  list.params.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const gp::EncoderParameter* entry = EntryAt(buffer.data(), i);
    EncoderParam& param = list.params[i];
    param.guid = GuidToText(entry->Guid);
    param.numberOfValues = static_cast<std::int32_t>(entry->NumberOfValues);
    param.type = static_cast<std::int32_t>(entry->Type);
    const std::size_t length =
        std::size_t{entry->NumberOfValues} * EncoderValueSize(param.type);
    param.value = CopyFromBuffer(buffer, entry->Value, length);
  }
  return list;
}

std::vector<CodecInfo> ReadCodecRecords(const RecordBuffer& buffer, std::size_t count) {
  count = std::min(count, buffer.size() / sizeof(gp::ImageCodecInfo));
  const auto* records = static_cast<const gp::ImageCodecInfo*>(buffer.data());
  std::vector<CodecInfo> codecs(count);
  for (std::size_t i = 0; i < count; ++i) {
    const gp::ImageCodecInfo& record = records[i];
    CodecInfo& codec = codecs[i];
    codec.encoderId = GuidToText(record.Clsid);
    codec.formatId = GuidToText(record.FormatID);
    codec.codecName = TextFromBuffer(buffer, record.CodecName);
    codec.dllName = TextFromBuffer(buffer, record.DllName);
    codec.formatDescription = TextFromBuffer(buffer, record.FormatDescription);
    codec.filenameExtension = TextFromBuffer(buffer, record.FilenameExtension);
    codec.mimeType = TextFromBuffer(buffer, record.MimeType);
    codec.flags = static_cast<std::int32_t>(record.Flags);
    codec.version = static_cast<std::int32_t>(record.Version);
    codec.sigCount = static_cast<std::int32_t>(record.SigCount);
    codec.sigSize = static_cast<std::int32_t>(record.SigSize);
    const std::size_t sigBytes = std::size_t{record.SigCount} * record.SigSize;
    codec.sigPattern = CopyFromBuffer(buffer, record.SigPattern, sigBytes);
    codec.sigMask = CopyFromBuffer(buffer, record.SigMask, sigBytes);
  }
  return codecs;
}

}  // namespace vantrel::graphics
