#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/automation/com_runtime.h"
#include "platform/regexp/regexp_object.h"
#include "script/automation_object.h"
#include "script/regex_matcher.h"

namespace vantrel::script {
namespace {

constexpr std::string_view kCellPattern = R"((\d+(\.\d+)?)\,(\d+(\.\d+)?)\,(\w{4,5})\|)";

TEST(RegexMatcher, IgnoresCaseUnlessAskedNotTo) {
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.Match("TRUE", "true|false"));
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.MatchText(1), "true");
  EXPECT_TRUE(matcher.Match("TRUE", "true|false", true));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_TRUE(matcher.Match("TRUE", "TRUE", true));
  EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST(RegexMatcher, MultilineAndGlobalAreOnUnlessLeftOff) {
  RegexMatcher matcher;
  matcher.Match("^b", "a\nb\nb");
  EXPECT_EQ(matcher.MatchCount(), 2);
  matcher.Match("^b", "a\nb\nb", std::nullopt, false);
  EXPECT_EQ(matcher.MatchCount(), 0);
  matcher.Match("b", "bbb");
  EXPECT_EQ(matcher.MatchCount(), 3);
  matcher.Match("b", "bbb", std::nullopt, std::nullopt, false);
  EXPECT_EQ(matcher.MatchCount(), 1);
}

TEST(RegexMatcher, CountsMatchesAndGroupsFromOne) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Match("(\\w)(\\d)", "a1 b2 c3"));
  EXPECT_EQ(matcher.MatchText(0), "");
  EXPECT_EQ(matcher.MatchText(1), "a1");
  EXPECT_EQ(matcher.MatchText(3), "c3");
  EXPECT_EQ(matcher.MatchText(4), "");
  EXPECT_EQ(matcher.MatchText(-1), "");
  EXPECT_EQ(matcher.SubMatchText(1, 0), "");
  EXPECT_EQ(matcher.SubMatchText(2, 1), "b");
  EXPECT_EQ(matcher.SubMatchText(2, 2), "2");
  EXPECT_EQ(matcher.SubMatchText(2, 3), "");
  EXPECT_EQ(matcher.SubMatchText(0, 1), "");
  EXPECT_EQ(matcher.SubMatchText(4, 1), "");
  EXPECT_EQ(matcher.SubMatchText(INT32_MIN, INT32_MIN), "");
  EXPECT_EQ(matcher.SubMatchCount(), 2);
}

TEST(RegexMatcher, ReadsTheFiveGroupsOfACellEntry) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Match(kCellPattern, "12.5,0,true|"));
  ASSERT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.SubMatchCount(), 5);
  EXPECT_EQ(matcher.SubMatchText(1, 1), "12.5");
  EXPECT_EQ(matcher.SubMatchText(1, 2), ".5");
  EXPECT_EQ(matcher.SubMatchText(1, 3), "0");
  EXPECT_EQ(matcher.SubMatchText(1, 4), "");  // took no part
  EXPECT_EQ(matcher.SubMatchText(1, 5), "true");
  EXPECT_EQ(matcher.MatchText(1), "12.5,0,true|");
}

TEST(RegexMatcher, ReplacesQuoteMarkersOnlyWhenAsked) {
  const std::string subject = "say \"hi\" or #引号yo#引号";
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Match("#引号(\\w+)#引号", subject, std::nullopt, std::nullopt, std::nullopt,
                            true));
  EXPECT_EQ(matcher.GetPattern(), "\"(\\w+)\"");
  ASSERT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.MatchText(1), "\"hi\"");
  EXPECT_EQ(matcher.SubMatchText(1, 1), "hi");

  ASSERT_TRUE(matcher.Match("#引号(\\w+)#引号", subject));
  EXPECT_EQ(matcher.GetPattern(), "#引号(\\w+)#引号");
  ASSERT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.MatchText(1), "#引号yo#引号");
}

TEST(RegexMatcher, ASecondMatchReplacesTheFirst) {
  RegexMatcher matcher;
  ASSERT_TRUE(matcher.Match("(a)(b)", "ab ab ab"));
  EXPECT_EQ(matcher.MatchCount(), 3);
  ASSERT_TRUE(matcher.Match("c", "xcx"));
  EXPECT_EQ(matcher.MatchCount(), 1);
  EXPECT_EQ(matcher.MatchText(1), "c");
  EXPECT_EQ(matcher.MatchText(2), "");
  EXPECT_EQ(matcher.SubMatchCount(), 0);
  EXPECT_EQ(matcher.GetPattern(), "c");

  // A failed Match leaves nothing of the one before.
  EXPECT_FALSE(matcher.Match("(", "xcx"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.MatchText(1), "");
}

TEST(RegexMatcher, ReplacesInTheLastSubject) {
  RegexMatcher matcher;
  EXPECT_EQ(matcher.ReplaceText("x"), "");  // nothing matched yet
  ASSERT_TRUE(matcher.Match("(\\w+)@(\\w+)", "joe@home, ann@work"));
  EXPECT_EQ(matcher.ReplaceText("$2 of $1"), "home of joe, work of ann");
  EXPECT_EQ(matcher.ReplaceText("中"), "中, 中");
}

TEST(RegexMatcher, GivesNothingBeforeAnyMatch) {
  RegexMatcher matcher;
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubMatchCount(), 0);
  EXPECT_EQ(matcher.GetPattern(), "");
  std::int32_t position = 77;
  EXPECT_EQ(matcher.MatchText(1, &position), "");
  EXPECT_EQ(position, -1);
  EXPECT_EQ(matcher.SubMatchText(1, 1, &position), "");
}

TEST(RegexMatcher, ReportsAPatternThatDoesNotCompile) {
  RegexMatcher matcher;
  EXPECT_FALSE(matcher.Match("(\\d+", "12"));
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubMatchCount(), 0);
  EXPECT_EQ(matcher.MatchText(1), "");
  EXPECT_EQ(matcher.GetPattern(), "(\\d+");  // the object exists, only Execute failed

  EXPECT_TRUE(matcher.Match("\\d+", "none here"));  // no match is still a collection
  EXPECT_EQ(matcher.MatchCount(), 0);
  EXPECT_EQ(matcher.SubMatchCount(), 0);
}

TEST(RegexMatcher, GivesUpOnCatastrophicBacktrackingQuickly) {
  RegexMatcher matcher;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(matcher.Match("(a+)+$", std::string(40, 'a') + "b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));  // no hang
  EXPECT_EQ(matcher.MatchCount(), 0);
}

TEST(RegexMatcher, PositionsAreByteOffsetsInTheAnsiSubject) {
  RegexMatcher matcher;
  struct Case {
    int line;
    std::string pattern;
    std::string subject;
    std::int32_t index;
    std::int32_t group;  // 0: MatchText
    std::string text;
    std::int32_t position;
  };
  const Case cases[] = {
      {__LINE__, "abc|def", "中文abc中def", 1, 0, "abc", 6},
      {__LINE__, "abc|def", "中文abc中def", 2, 0, "def", 12},
      {__LINE__, "a", "aaé a", 3, 0, "a", 5},  // the third "a", not an earlier one
      {__LINE__, "x", "😀x", 1, 0, "x", 4},      // a surrogate pair is four bytes
      {__LINE__, "-a(b)", "xé-ab-ab", 1, 1, "b", 5},
      {__LINE__, "-a(b)", "xé-ab-ab", 2, 1, "b", 8},
      {__LINE__, "(中)(文)", "ab中文", 1, 2, "文", 5},
      {__LINE__, "a(x)?", "éa", 1, 1, "", 2},  // an empty group stands at its match
      {__LINE__, ".", "😀", 1, 0, "\xEF\xBF\xBD", -1},  // half a pair is not in the subject
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(matcher.Match(c.pattern, c.subject)) << "line " << c.line;
    std::int32_t position = -99;
    const std::string text = c.group == 0 ? matcher.MatchText(c.index, &position)
                                          : matcher.SubMatchText(c.index, c.group, &position);
    EXPECT_EQ(text, c.text) << "line " << c.line;
    EXPECT_EQ(position, c.position) << "line " << c.line;
    if (c.position >= 0) {
      EXPECT_EQ(c.subject.substr(c.position, text.size()), text) << "line " << c.line;
    }
  }
}

// Runs on a thread of its own, whose COM state the other tests do not touch.
template <typename F>
void OnFreshThread(F f) {
  std::thread(f).join();
}

TEST(RegexMatcher, InitialisesComForItsLifetime) {
  OnFreshThread([] {
    AutomationObject object;
    EXPECT_FALSE(Create(object, "VBScript.RegExp"));
    {
      RegexMatcher outer;
      EXPECT_TRUE(Create(object, "VBScript.RegExp"));
      {
        RegexMatcher inner;
      }
      Clear(object);
      EXPECT_TRUE(Create(object, "VBScript.RegExp"));  // the inner one uninitialised once
      Clear(object);
    }
    EXPECT_FALSE(Create(object, "VBScript.RegExp"));
  });
}

TEST(RegexMatcher, AnswersEmptyWhenTheObjectCannotBeMade) {
  using namespace platform;
  RegisterClassObject(u"VBScript.RegExp", CLSID_RegExp, []() -> ComPtr<IUnknown> { return {}; });
  {
    RegexMatcher matcher;
    EXPECT_FALSE(matcher.Match("a", "a"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.SubMatchCount(), 0);
    EXPECT_EQ(matcher.GetPattern(), "");
    EXPECT_EQ(matcher.MatchText(1), "");
    EXPECT_EQ(matcher.ReplaceText("b"), "");
  }
  RegisterClassObject(u"VBScript.RegExp", CLSID_RegExp, &CreateRegExpObject);
  RegexMatcher matcher;
  EXPECT_TRUE(matcher.Match("a", "a"));
}

}  // namespace
}  // namespace vantrel::script
