#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "toolkit/strings/string_engine.h"
#include "toolkit/strings/string_functions.h"
#include "toolkit/strings/wide_text.h"

namespace {

std::string Replaced(const char *source, const char *find, const char *replacement) {
  int32_t pos = ScratchPos;
  StrReplace(source, find, replacement, pos);
  std::string result(ScratchAt(pos));
  EXPECT_EQ(ScratchPos, pos + static_cast<int32_t>(result.size()));
  ScratchSetPos(pos);
  return result;
}

TEST(StrReplace, MatchesLeftToRightWithoutOverlap) {
  struct Case {
    const char *source, *find, *replacement, *expected;
  };
  const Case cases[] = {
      {"a;b;;c", ";", "\n", "a\nb\n\nc"}, {"aaaa", "aa", "b", "bb"},   {"aaa", "aa", "b", "ba"},
      {"aab", "ab", "X", "aX"},           {"1X2", "x", "-", "1X2"},    {"ab;", ";;", "|", "ab;"},
      {"a;;", ";;;", "|", "a;;"},         {"abc", "", "x", "abc"},     {"a,b,c", ",", "", "abc"},
      {"a,b", ",", "<sep>", "a<sep>b"},   {"", ",", "x", ""},          {nullptr, ",", "x", ""},
      {"a,b", nullptr, "x", "a,b"},       {"a,b", ",", nullptr, "ab"}, {"\xE4\xF6,\xFC", ",", "\n", "\xE4\xF6\n\xFC"},
      {"abc", "xy", "-", "abc"}, // no candidate left at all
  };
  for (const Case &c : cases) {
    EXPECT_EQ(Replaced(c.source, c.find, c.replacement), c.expected)
        << "source " << (c.source ? c.source : "(null)") << " find " << (c.find ? c.find : "(null)");
  }
}

TEST(StrReplace, ArgumentsInsideTheBuffer) {
  int32_t base = ScratchPos;
  StrAppendScratch("x;y;z");
  StrAppendScratch(nullptr);
  ScratchReserve(0, ScratchPos + 1);
  const char *sourceText = ScratchAt(base);

  // The result overwrites its own source.
  StrReplace(sourceText, ";", "--", base);
  EXPECT_STREQ(ScratchAt(base), "x--y--z");

  // A replacement long enough to move the buffer, with find and replacement
  // taken from the buffer as well.
  int32_t findAt = ScratchPos + 1;
  ScratchReserve(0, findAt);
  StrAppendScratch("-");
  int32_t replacementAt = ScratchPos + 1;
  ScratchReserve(0, replacementAt);
  StrAppendScratch(std::string(70000, 'r').c_str());
  int32_t pos = ScratchPos + 1;
  ScratchReserve(0, pos);
  StrReplace(ScratchAt(base), ScratchAt(findAt), ScratchAt(replacementAt), pos);
  std::string expected = "x" + std::string(140000, 'r') + "y" + std::string(140000, 'r') + "z";
  EXPECT_EQ(std::string(ScratchAt(pos)), expected);
  ScratchSetPos(base);
}

TEST(NumberText, SignedAndUnsignedValues) {
  const std::pair<int64_t, const char *> values[] = {
      {0, "0"},
      {-5, "-5"},
      {7, "7"},
      {2147483647, "2147483647"},
      {-2147483647 - 1, "-2147483648"},
      {2147483648LL, "2147483648"},
      {-2147483649LL, "-2147483649"},
      {INT64_MIN, "-9223372036854775808"},
      {INT64_MAX, "9223372036854775807"},
  };
  int32_t pos = ScratchPos;
  StrAppendScratch("n=");
  for (const auto &value : values) {
    StrFromInt(value.first, pos + 2);
    EXPECT_EQ(std::string(ScratchAt(pos)), std::string("n=") + value.second);
    if (value.first >= INT32_MIN && value.first <= INT32_MAX) {
      StrFromInt32(static_cast<int32_t>(value.first), pos + 2);
      EXPECT_EQ(std::string(ScratchAt(pos)), std::string("n=") + value.second);
    }
  }
  ScratchSetPos(pos);

  char digits[21];
  EXPECT_STREQ(UInt64ToDecimal(digits, 0), "0");
  EXPECT_STREQ(UInt64ToDecimal(digits, UINT64_MAX), "18446744073709551615");
  EXPECT_STREQ(UInt64ToDecimal(digits, 10), "10");
}

} // namespace

namespace {

// A line is decoded only when it holds a byte above 0x7F and is valid UTF-8
// through and through; anything else stays bytes.
TEST(WideFromUtf8Line, DecodesOnlyValidLinesBeyondAscii) {
  const struct {
    const char *what;
    std::string bytes;
    bool decoded;
    std::u16string units;
  } cases[] = {
      {"ASCII stays bytes", "plain, text;12345678", false, u""},
      {"empty", "", false, u""},
      {"two bytes", "Zo\xC3\xAB", true, u"Zo\u00EB"},
      {"three bytes after eight ASCII", "12345678\xE2\x82\xAC", true, u"12345678\u20AC"},
      {"four bytes, a surrogate pair", "\xF0\x9F\x98\x80!", true, u"\U0001F600!"},
      {"the highest", "\xF4\x8F\xBF\xBF", true, u"\U0010FFFF"},
      {"the lowest of each length", "\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", true, u"\u0080\u0800\U00010000"},
      {"next to the surrogates", "\xED\x9F\xBF\xEE\x80\x80", true, u"\uD7FF\uE000"},
      {"code page 1252", "M\xFCnchen", false, u""},
      {"overlong of two bytes", "\xC1\xBF", false, u""},
      {"overlong of three bytes", "\xE0\x9F\xBF", false, u""},
      {"overlong of four bytes", "\xF0\x8F\xBF\xBF", false, u""},
      {"a surrogate", "\xED\xA0\x80", false, u""},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, u""},
      {"lead bytes F5 and up", "\xF5\x80\x80\x80", false, u""},
      {"a lone continuation byte", "a\x80", false, u""},
      {"cut short at the end", "ab\xE2\x82", false, u""},
      {"cut short by ASCII",
       "\xE2\x82"
       "a",
       false, u""},
      {"one bad line among good characters", "\xC3\xA4\xC3", false, u""},
  };
  WideText wide = {};
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    bool decoded = WideFromUtf8Line(c.bytes.data(), static_cast<int32_t>(c.bytes.size()), &wide);
    EXPECT_EQ(decoded, c.decoded);
    if (decoded && c.decoded) {
      EXPECT_EQ(std::u16string(wide.units, static_cast<size_t>(wide.length)), c.units);
      EXPECT_EQ(wide.units[wide.length], 0);
    }
  }
  WideTextFree(&wide);
}

} // namespace
