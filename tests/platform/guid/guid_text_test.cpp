#include "platform/guid/guid_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vantrel::platform {
namespace {

constexpr GUID kPng{0xB96B3CAF, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

TEST(GuidText, WritesTheBracedUpperCaseForm) {
  char16_t buffer[40];
  ASSERT_EQ(StringFromGUID2(kPng, buffer, 40), 39);
  EXPECT_EQ(std::u16string(buffer), u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}");
  const GUID small{0x1, 0x2, 0x3, {0, 1, 2, 3, 4, 5, 6, 0xA}};
  StringFromGUID2(small, buffer, 39);
  EXPECT_EQ(std::u16string(buffer), u"{00000001-0002-0003-0001-02030405060A}");
}

TEST(GuidText, ShortOrMissingBufferGetsNothing) {
  char16_t buffer[39];
  buffer[0] = u'?';
  EXPECT_EQ(StringFromGUID2(kPng, buffer, 38), 0);
  EXPECT_EQ(buffer[0], u'?');
  EXPECT_EQ(StringFromGUID2(kPng, nullptr, 39), 0);
}

TEST(GuidText, ReadsEitherCaseAndRoundTrips) {
  CLSID guid;
  ASSERT_EQ(CLSIDFromString(u"{b96b3caf-0728-11d3-9D7B-0000f81ef32e}", &guid), S_OK);
  EXPECT_EQ(guid, kPng);
  const GUID odd{0xFEDCBA98, 0x7654, 0x3210, {0xFF, 0, 0x80, 0x7F, 1, 0x10, 0xEE, 0x11}};
  char16_t buffer[39];
  StringFromGUID2(odd, buffer, 39);
  ASSERT_EQ(CLSIDFromString(buffer, &guid), S_OK);
  EXPECT_EQ(guid, odd);
}

TEST(GuidText, MalformedTextIsAnErrorAndGivesTheNullGuid) {
  const struct {
    int line;
    const char16_t* text;
  } cases[] = {
      {__LINE__, u""},
      {__LINE__, u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E"},
      {__LINE__, u"B96B3CAF-0728-11D3-9D7B-0000F81EF32E}"},
      {__LINE__, u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}x"},
      {__LINE__, u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32G}"},
      {__LINE__, u"{B96B3CAF+0728-11D3-9D7B-0000F81EF32E}"},
      {__LINE__, u"{B96B3CAF-0728-11D3-9D7B0-000F81EF32E}"},
      {__LINE__, u"{ 96B3CAF-0728-11D3-9D7B-0000F81EF32E}"},
      {__LINE__, u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32\uFF25}"},
  };
  for (const auto& c : cases) {
    CLSID guid = kPng;
    EXPECT_EQ(CLSIDFromString(c.text, &guid), CO_E_CLASSSTRING) << "line " << c.line;
    EXPECT_EQ(guid, CLSID{}) << "line " << c.line;
  }
  CLSID guid = kPng;
  EXPECT_EQ(CLSIDFromString(nullptr, &guid), S_OK);
  EXPECT_EQ(guid, CLSID{});
  EXPECT_EQ(CLSIDFromString(u"{B96B3CAF-0728-11D3-9D7B-0000F81EF32E}", nullptr), E_INVALIDARG);
}

}  // namespace
}  // namespace vantrel::platform
