// The height rule and the memo's lines, without a window.
#include <gtest/gtest.h>

#include <string>

#include "PanelText.h"

namespace orv::test {
namespace {

TEST(HeightRule, AcceptsExactlyTheIntegerTexts) {
  const struct {
    const char* text;
    bool accepted;
  } cases[] = {
      {"200", true},
      {" 200", true},
      {"   7", true},
      {"200 ", false},
      {"$1F", true},
      {"0x1f", true},
      {"0X1F", true},
      {"x1f", true},
      {"X1F", true},
      {"-$1F", true},
      {"+0x10", true},
      {"$FFFFFFFF", true},
      {"$100000000", false},
      {"$000000001", true},
      {"$", false},
      {"0x", false},
      {"$1G", false},
      {"-0", true},
      {"+5", true},
      {"0", true},
      {"007", true},
      {"2147483647", true},
      {"2147483648", false},
      {"-2147483648", true},
      {"-2147483649", false},
      {"99999999999999999999", false},
      {"", false},
      {" ", false},
      {"-", false},
      {"+", false},
      {"+-5", false},
      {"1.5", false},
      {"12a", false},
      {"abc", false},
      {"\t5", false},
      {"5\t", false},
      {"1e3", false},
      {"- 5", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ui::IsValidInteger(c.text), c.accepted) << '"' << c.text << '"';
}

TEST(HeightRule, MessageQuotesTheTextAsTyped) {
  EXPECT_EQ(ui::InvalidIntegerText(" 1.5 "), "' 1.5 ' is not a valid integer value");
  EXPECT_EQ(ui::InvalidIntegerText(""), "'' is not a valid integer value");
}

TEST(MemoLines, DataTextsSurviveTheMemo) {
  const std::string sep(1, '\x01');
  const struct {
    std::string data, memo;
  } cases[] = {
      {"", "\r\n"},
      {"one", "one\r\n"},
      {"a" + sep + "b" + sep + "c", "a\r\nb\r\nc\r\n"},
      {"a" + sep, "a\r\n\r\n"},
      {"a" + sep + sep + "b", "a\r\n\r\nb\r\n"},
      {sep, "\r\n\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ui::DataToMemoText(c.data), c.memo);
    EXPECT_EQ(ui::MemoTextToData(c.memo), c.data);
  }
}

TEST(MemoLines, TypedTextJoinsLineByLine) {
  const std::string sep(1, '\x01');
  EXPECT_EQ(ui::MemoTextToData("x\r\ny\r\nz"), "x" + sep + "y" + sep + "z");
  EXPECT_EQ(ui::MemoTextToData("x\r\n"), "x");  // a final line break starts no line
  EXPECT_EQ(ui::MemoTextToData(""), "");
  EXPECT_EQ(ui::MemoTextToData("\r\n\r\n"), sep);
}

}  // namespace
}  // namespace orv::test
