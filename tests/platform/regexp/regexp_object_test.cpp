#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/bstr.h"
#include "platform/automation/com_runtime.h"
#include "platform/automation/scoped_variant.h"
#include "platform/automation/variant.h"
#include "platform/regexp/regexp_errors.h"
#include "tests/support/variant_values.h"

namespace vantrel::platform {
namespace {

using vantrel::testing::Boolean;
using vantrel::testing::Integer;
using vantrel::testing::Text;

// Drives the object through nothing but its dispatch interface, by member name.
class Driver {
 public:
  explicit Driver(ComPtr<IDispatch> object) : object_(std::move(object)) {}

  HRESULT Invoke(const char16_t* member, WORD flags, std::vector<ScopedVariant> arguments,
                 ScopedVariant& result) {
    std::u16string name(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    if (const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        FAILED(hr))
      return hr;
    std::vector<VARIANT> reversed;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.push_back(it->Get());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (flags == DISPATCH_PROPERTYPUT) params.rgdispidNamedArgs = &put, params.cNamedArgs = 1;
    return object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.Receive(),
                           nullptr, nullptr);
  }
  HRESULT Put(const char16_t* member, ScopedVariant value) {
    ScopedVariant ignored;
    std::vector<ScopedVariant> arguments;
    arguments.push_back(std::move(value));
    return Invoke(member, DISPATCH_PROPERTYPUT, std::move(arguments), ignored);
  }
  ScopedVariant Get(const char16_t* member, std::optional<std::int32_t> index = std::nullopt,
                    HRESULT* status = nullptr) {
    ScopedVariant result;
    std::vector<ScopedVariant> arguments;
    if (index) arguments.push_back(Integer(*index));
    const HRESULT hr = Invoke(member, DISPATCH_PROPERTYGET, std::move(arguments), result);
    if (status != nullptr) *status = hr;
    return result;
  }
  HRESULT Call(const char16_t* member, std::vector<ScopedVariant> arguments, ScopedVariant& result) {
    return Invoke(member, DISPATCH_METHOD, std::move(arguments), result);
  }


 private:
  ComPtr<IDispatch> object_;
};

std::vector<ScopedVariant> Args(ScopedVariant a) {
  std::vector<ScopedVariant> list;
  list.push_back(std::move(a));
  return list;
}
std::vector<ScopedVariant> Args(ScopedVariant a, ScopedVariant b) {
  std::vector<ScopedVariant> list = Args(std::move(a));
  list.push_back(std::move(b));
  return list;
}

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      char buffer[12];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

struct Options {
  bool ignoreCase = false;
  bool global = true;
  bool multiline = false;
};

class RegExpTest : public ::testing::Test {
 protected:
  void SetUp() override { CoInitialize(nullptr); }
  void TearDown() override { CoUninitialize(); }

  Driver Make(std::u16string_view pattern, Options options = {}) {
    const std::u16string name = u"VBScript.RegExp";
    CLSID clsid;
    EXPECT_EQ(CLSIDFromProgID(name.c_str(), &clsid), S_OK);
    void* made = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &made), S_OK);
    Driver regexp(ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(made)));
    EXPECT_EQ(regexp.Put(u"Pattern", Text(pattern)), S_OK);
    EXPECT_EQ(regexp.Put(u"IgnoreCase", Boolean(options.ignoreCase)), S_OK);
    EXPECT_EQ(regexp.Put(u"Global", Boolean(options.global)), S_OK);
    EXPECT_EQ(regexp.Put(u"Multiline", Boolean(options.multiline)), S_OK);
    return regexp;
  }

  // Execute, with every match written as value@FirstIndex and its groups in brackets
  // ("-" for a group that took part in no match): "ab@0[a,-] c@3[c,-]".
  std::string Execute(Driver& regexp, std::u16string_view subject, HRESULT* status = nullptr) {
    ScopedVariant collection;
    const HRESULT hr = regexp.Call(u"Execute", Args(Text(subject)), collection);
    if (status != nullptr) *status = hr;
    if (FAILED(hr)) return "failed";
    EXPECT_EQ(collection.Type(), VT_DISPATCH);
    Driver matches(ComPtr<IDispatch>::Share(collection.Get().pdispVal));
    const std::int32_t count = matches.Get(u"Count").Get().lVal;
    std::string text;
    for (std::int32_t i = 0; i < count; ++i) {
      Driver match(ComPtr<IDispatch>::Share(matches.Get(u"Item", i).Get().pdispVal));
      const ScopedVariant value = match.Get(u"Value");
      const std::int32_t first = match.Get(u"FirstIndex").Get().lVal;
      const std::int32_t length = match.Get(u"Length").Get().lVal;
      EXPECT_EQ(static_cast<std::int32_t>(SysStringLen(value.Get().bstrVal)), length);
      if (!text.empty()) text += " ";
      text += Narrow(BstrView(value.Get().bstrVal)) + "@" + std::to_string(first);
      Driver groups(ComPtr<IDispatch>::Share(match.Get(u"SubMatches").Get().pdispVal));
      const std::int32_t groupCount = groups.Get(u"Count").Get().lVal;
      if (groupCount == 0) continue;
      text += "[";
      for (std::int32_t g = 0; g < groupCount; ++g) {
        const ScopedVariant group = groups.Get(u"Item", g);
        if (g > 0) text += ",";
        text += group.Type() == VT_EMPTY ? "-" : Narrow(BstrView(group.Get().bstrVal));
      }
      text += "]";
    }
    return text;
  }
};

struct SyntaxCase {
  int line;
  std::u16string pattern;
  Options options;
  std::u16string subject;
  std::string expected;
};

TEST_F(RegExpTest, MatchesWithScriptEngineSyntax) {
  const SyntaxCase cases[] = {
      // The Generate pattern, including a cell whose x has a fraction.
      {__LINE__, uR"((\d+(\.\d+)?)\,(\d+(\.\d+)?)\,(\w{4,5})\|)", {.ignoreCase = true},
       u"0,0,true|12.5,0,false|", "0,0,true|@0[0,-,0,-,true] 12.5,0,false|@9[12.5,.5,0,-,false]"},
      {__LINE__, u"\\,\\|", {}, u"a,|b", ",|@1"},
      {__LINE__, u"\\w+", {}, u"ab\u00E9cd_9", "ab@0 cd_9@3"},  // \w is ASCII only
      {__LINE__, u"\\d", {}, u"1\uFF12", "1@0"},
      {__LINE__, u"\\bis\\b", {}, u"this is", "is@5"},
      {__LINE__, u"x*", {}, u"abc", "@0 @1 @2 @3"},  // empty matches move on by one
      {__LINE__, u"a*?", {}, u"aa", "@0 @1 @2"},
      {__LINE__, u"a|", {}, u"ab", "a@0 @1 @2"},
      {__LINE__, u"a", {.global = false}, u"aaa", "a@0"},
      {__LINE__, u"ABC", {.ignoreCase = true}, u"xabc", "abc@1"},
      {__LINE__, u"ABC", {}, u"xabc", ""},
      {__LINE__, u"^b", {}, u"a\nb", ""},
      {__LINE__, u"^b", {.multiline = true}, u"a\nb\r\nb", "b@2 b@5"},
      {__LINE__, u"a$", {}, u"a\n", ""},  // "$" is the very end unless multiline
      {__LINE__, u"a$", {.multiline = true}, u"a\na", "a@0 a@2"},
      {__LINE__, u"a.c", {}, u"a\nc abc", "abc@4"},
      {__LINE__, u"\\u0041\\x42", {}, u"AB", "AB@0"},
      {__LINE__, u"\\u00", {}, u"u00", "u00@0"},  // not four hex digits: a plain "u"
      {__LINE__, u"[]a", {}, u"a", ""},           // [] matches nothing
      {__LINE__, u"[^]", {.global = false}, u"\n", "\n@0"},
      {__LINE__, u"(a)|b\\1", {}, u"b", "b@0[-]"},  // unset group: backreference is empty
      {__LINE__, u"(a)?(b)", {}, u"b", "b@0[-,b]"},
      {__LINE__, u"\\q\\,", {}, u"q,", "q,@0"},  // unknown escapes are literal
      {__LINE__, u"(?:x)(y)(?=z)", {}, u"xyz", "xy@0[y]"},
      {__LINE__, u"\"(\\w+)\"", {}, u"say \"hi\"", "\"hi\"@4[hi]"},
      {__LINE__, u"", {}, u"ab", "@0 @1 @2"},
      // A lone surrogate is one unit like any other, and "." splits a pair.
      {__LINE__, u".", {}, u"\U0001F600", "\\uD83D@0 \\uDE00@1"},
      {__LINE__, u"\\uD800", {}, u"a\xD800" u"b", "\\uD800@1"},
      {__LINE__, u"\u4E2D+", {}, u"x\u4E2D\u4E2D", "\\u4E2D\\u4E2D@1"},
  };
  for (const SyntaxCase& c : cases) {
    Driver regexp = Make(c.pattern, c.options);
    EXPECT_EQ(Execute(regexp, c.subject), c.expected) << "case at line " << c.line;
  }
}

struct ReplaceCase {
  int line;
  std::u16string pattern;
  Options options;
  std::u16string subject;
  std::u16string replacement;
  std::u16string expected;
};

TEST_F(RegExpTest, ReplacesWithScriptEngineReplacementTexts) {
  const ReplaceCase cases[] = {
      {__LINE__, u"(\\w)(\\d)", {}, u"a1 b2", u"$2$1", u"1a 2b"},
      {__LINE__, u"b", {}, u"abc", u"[$`|$&|$']", u"a[a|b|c]c"},
      {__LINE__, u"b", {}, u"abc", u"$$", u"a$c"},
      {__LINE__, u"b", {}, u"abc", u"$0$9$x$", u"a$0$9$x$c"},
      {__LINE__, u"(b)", {}, u"abc", u"$10", u"ab0c"},  // no group 10: $1 then "0"
      {__LINE__, u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", {}, u"abcdefghijk", u"$11$10$01",
       u"kja"},
      {__LINE__, u"(x)?b", {}, u"abc", u"<$1>", u"a<>c"},
      {__LINE__, u"x*", {}, u"ab", u"-", u"-a-b-"},
      {__LINE__, u"a", {.global = false}, u"aaa", u"b", u"baa"},
      {__LINE__, u"A", {.ignoreCase = true}, u"aA", u"x", u"xx"},
  };
  for (const ReplaceCase& c : cases) {
    Driver regexp = Make(c.pattern, c.options);
    ScopedVariant result;
    ASSERT_EQ(regexp.Call(u"Replace", Args(Text(c.subject), Text(c.replacement)),
                          result),
              S_OK)
        << "case at line " << c.line;
    EXPECT_EQ(Narrow(BstrView(result.Get().bstrVal)), Narrow(c.expected))
        << "case at line " << c.line;
  }
}

TEST_F(RegExpTest, PropertiesKeepWhatWasPutAndStartCleared) {
  const std::u16string name = u"VBScript.RegExp";
  CLSID clsid;
  CLSIDFromProgID(name.c_str(), &clsid);
  void* made = nullptr;
  CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &made);
  Driver regexp(ComPtr<IDispatch>::Adopt(static_cast<IDispatch*>(made)));
  for (const char16_t* flag : {u"IgnoreCase", u"Global", u"Multiline"}) {
    EXPECT_EQ(regexp.Get(flag).Get().boolVal, VARIANT_FALSE) << Narrow(flag);
    EXPECT_EQ(regexp.Put(flag, Integer(2)), S_OK);  // any non-zero number is true
    EXPECT_EQ(regexp.Get(flag).Get().boolVal, VARIANT_TRUE) << Narrow(flag);
  }
  EXPECT_EQ(BstrView(regexp.Get(u"Pattern").Get().bstrVal), u"");
  EXPECT_EQ(regexp.Put(u"pattern", Text(u"a+")), S_OK);
  EXPECT_EQ(BstrView(regexp.Get(u"PATTERN").Get().bstrVal), u"a+");

  // Read through a method call, the form the member is not declared in.
  ScopedVariant pattern;
  EXPECT_EQ(regexp.Call(u"Pattern", {}, pattern), S_OK);
  EXPECT_EQ(BstrView(pattern.Get().bstrVal), u"a+");
  HRESULT hr = S_OK;
  regexp.Get(u"Matches", std::nullopt, &hr);
  EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
  EXPECT_EQ(regexp.Put(u"Execute", Text(u"x")), DISP_E_MEMBERNOTFOUND);

  ScopedVariant tested;
  ASSERT_EQ(regexp.Call(u"Test", Args(Text(u"baa")), tested), S_OK);
  EXPECT_EQ(tested.Get().boolVal, VARIANT_TRUE);
  ASSERT_EQ(regexp.Call(u"Test", Args(Text(u"bbb")), tested), S_OK);
  EXPECT_EQ(tested.Get().boolVal, VARIANT_FALSE);
  EXPECT_EQ(regexp.Call(u"Test", {}, tested), DISP_E_BADPARAMCOUNT);
}

TEST_F(RegExpTest, ChangingAnOptionRecompiles) {
  Driver regexp = Make(u"b");
  EXPECT_EQ(Execute(regexp, u"B"), "");
  regexp.Put(u"IgnoreCase", Boolean(true));
  EXPECT_EQ(Execute(regexp, u"B"), "B@0");
  regexp.Put(u"Pattern", Text(u"c"));
  EXPECT_EQ(Execute(regexp, u"bC"), "C@1");
}

TEST_F(RegExpTest, APatternThatDoesNotCompileMakesExecuteFail) {
  for (const char16_t* pattern :
       {u"(", u"a)", u"[a", u"*a", u"a{2,1}", u"(?<", u"\\", u"(*UTF)a", u"(*UCP)\\w"}) {
    Driver regexp = Make(pattern);
    HRESULT hr = S_OK;
    EXPECT_EQ(Execute(regexp, u"a", &hr), "failed") << Narrow(pattern);
    EXPECT_EQ(hr, REGEXP_E_SYNTAX) << Narrow(pattern);
    ScopedVariant result;
    EXPECT_EQ(regexp.Call(u"Test", Args(Text(u"a")), result), REGEXP_E_SYNTAX);
    EXPECT_EQ(regexp.Call(u"Replace", Args(Text(u"a"), Text(u"b")), result),
              REGEXP_E_SYNTAX);
  }
}

TEST_F(RegExpTest, CatastrophicBacktrackingFailsWithinASecond) {
  Driver regexp = Make(u"(a+)+$");
  const std::u16string subject = std::u16string(40, u'a') + u"b";
  const auto start = std::chrono::steady_clock::now();
  HRESULT hr = S_OK;
  EXPECT_EQ(Execute(regexp, subject, &hr), "failed");
  EXPECT_EQ(hr, REGEXP_E_TOO_COMPLEX);
  // A guard against hanging, not a speed check: the limit stops it long before this.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  // The same pattern over a subject it can handle still works.
  EXPECT_EQ(Execute(regexp, u"aaa"), "aaa@0[aaa]");
}

TEST_F(RegExpTest, CollectionsRefuseIndicesOutsideTheirRange) {
  Driver regexp = Make(u"(a)(b)?");
  ScopedVariant collection;
  ASSERT_EQ(regexp.Call(u"Execute", Args(Text(u"a a")), collection), S_OK);
  Driver matches(ComPtr<IDispatch>::Share(collection.Get().pdispVal));
  HRESULT hr = S_OK;
  for (std::int32_t bad : {-1, 2, 1000}) {
    EXPECT_EQ(matches.Get(u"Item", bad, &hr).Type(), VT_EMPTY);
    EXPECT_EQ(hr, DISP_E_BADINDEX) << bad;
  }
  Driver match(ComPtr<IDispatch>::Share(matches.Get(u"Item", 1).Get().pdispVal));
  Driver groups(ComPtr<IDispatch>::Share(match.Get(u"SubMatches").Get().pdispVal));
  EXPECT_EQ(groups.Get(u"Item", 2, &hr).Type(), VT_EMPTY);
  EXPECT_EQ(hr, DISP_E_BADINDEX);
  EXPECT_EQ(groups.Get(u"Item", 1, &hr).Type(), VT_EMPTY);  // took no part: empty, no error
  EXPECT_EQ(hr, S_OK);
  matches.Get(u"Item", std::nullopt, &hr);
  EXPECT_EQ(hr, DISP_E_BADPARAMCOUNT);

  // A match outlives the collection and the regular expression it came from.
  collection.Clear();
  EXPECT_EQ(BstrView(match.Get(u"Value").Get().bstrVal), u"a");
  EXPECT_EQ(match.Get(u"FirstIndex").Get().lVal, 2);
}

}  // namespace
}  // namespace vantrel::platform
