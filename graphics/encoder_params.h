#pragma once
// Encoder descriptions and encoder parameters as the system holds them: GUIDs as braced
// texts (GuidToText), values as byte blocks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel::graphics {

// One encoder as the library describes it.
struct CodecInfo {
  std::string encoderId;
  std::string formatId;
  std::string codecName;
  std::string dllName;
  std::string formatDescription;
  std::string filenameExtension;
  std::string mimeType;
  std::int32_t flags = 0;
  std::int32_t version = 0;
  std::int32_t sigCount = 0;
  std::int32_t sigSize = 0;
  std::vector<std::uint8_t> sigPattern;  // sigCount x sigSize bytes
  std::vector<std::uint8_t> sigMask;     // sigCount x sigSize bytes
};

// Value types: 1 byte, 2 ASCII, 3 short, 4 long, 5 rational, 6 long range, 7 undefined,
// 8 rational range.
struct EncoderParam {
  std::string guid;
  std::int32_t numberOfValues = 0;
  std::int32_t type = 0;
  std::vector<std::uint8_t> value;
};

// Whoever fills the list keeps count equal to params.size(). The library is never told of
// more entries than the array holds, whatever count says.
struct EncoderParamList {
  std::int32_t count = 0;
  std::vector<EncoderParam> params;
};

// Bytes one value of the type takes; 0 for a type outside 1 to 8, whose values are not read.
std::size_t EncoderValueSize(std::int32_t type);

}  // namespace vantrel::graphics
