#include "settings/ini_profile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvel {
namespace {

// A file the way the Windows profile functions and a hand editor leave it.
const std::string kHandWritten =
    "\xEF\xBB\xBF; comment line\r\n"
    "[Screen]\r\n"
    "  X = 3000  \r\n"
    "Y=-120\r\n"
    "\r\n"
    "[ no1 ]\r\n"
    "x=\"  10 \"\r\n"
    "y='20'\r\n"
    "t=\r\n"
    "f\r\n"
    "F=1\r\n"
    "f=0\r\n"
    "[no2]\r\n"
    "x=\"unbalanced\r\n"
    "y=a=b\r\n"
    "[no1]\r\n"
    "t=99\r\n"
    "z=also here\r\n";

struct LookupCase {
  std::string section, key;
  std::optional<std::string> expected;
};

class IniLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(IniLookupTest, ReadsFilesWrittenTheWindowsWay) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(iniLookup(kHandWritten, c.section, c.key), c.expected) << "[" << c.section << "] " << c.key;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLookupTest,
    ::testing::Values(LookupCase{"screen", "x", "3000"},  // names in any case, blanks trimmed
                      LookupCase{"SCREEN", "y", "-120"},
                      LookupCase{"no1", "x", "  10 "},  // one pair of quotes removed, blanks inside kept
                      LookupCase{"no1", "y", "20"},     // single quotes too
                      LookupCase{"no1", "t", ""},       // present but empty: the empty text
                      LookupCase{"no1", "f", "1"},      // a line without '=' never matches; first key wins
                      LookupCase{"no1", "z", std::nullopt},  // only the first section of a name counts
                      LookupCase{"no2", "x", "\"unbalanced"}, LookupCase{"no2", "y", "a=b"},
                      LookupCase{"no3", "x", std::nullopt}, LookupCase{"screen", "z", std::nullopt}));

TEST(IniLookup, AcceptsEveryLineEnd) {
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    const std::string text = std::string("[a]") + eol + "k=1" + eol + "[b]" + eol + "k=2";
    EXPECT_EQ(iniLookup(text, "a", "k"), "1") << "line end " << static_cast<int>(eol[0]);
    EXPECT_EQ(iniLookup(text, "b", "k"), "2");
  }
}

TEST(IniLookup, KeysBeforeAnySectionBelongToNone) {
  EXPECT_EQ(iniLookup("k=1\n[a]\nj=2\n", "a", "k"), std::nullopt);
}

struct AssignCase {
  const char* name;
  std::string before;
  std::string section, key, value;
  std::string after;
};

class IniAssignTest : public ::testing::TestWithParam<AssignCase> {};

TEST_P(IniAssignTest, ChangesOnlyWhatItMust) {
  const AssignCase& c = GetParam();
  EXPECT_EQ(iniAssign(c.before, c.section, c.key, c.value, "\n"), c.after) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniAssignTest,
    ::testing::Values(AssignCase{"new file gets the native line end", "", "no5", "x", "1", "[no5]\nx=1\n"},
                      AssignCase{"replaces the first matching line, keeps its line end and everything else",
                                 "\xEF\xBB\xBF[Screen]\r\n  X = 3000  \r\nx=1\r\n; note\r\n", "screen", "x",
                                 "15", "\xEF\xBB\xBF[Screen]\r\nx=15\r\nx=1\r\n; note\r\n"},
                      AssignCase{"new key after the last non-blank line of its section",
                                 "[a]\r\nk=1\r\n\r\n\r\n[b]\r\nk=2\r\n", "a", "j", "3",
                                 "[a]\r\nk=1\r\nj=3\r\n\r\n\r\n[b]\r\nk=2\r\n"},
                      AssignCase{"new key in an empty section goes under its header", "[a]\r[b]\r", "a", "k",
                                 "v", "[a]\rk=v\r[b]\r"},
                      AssignCase{"a file without a final line end keeps lacking one", "[a]\nk=1", "a", "j",
                                 "2", "[a]\nk=1\nj=2"},
                      AssignCase{"missing section appended at the end in the file's style", "[a]\r\nk=1", "b",
                                 "k", "2", "[a]\r\nk=1\r\n[b]\r\nk=2\r\n"},
                      AssignCase{"a value with blanks at its edges is quoted", "[a]\nk=1\n", "a", "k", " 5 ",
                                 "[a]\nk=\" 5 \"\n"},
                      AssignCase{"a value wrapped in quotes is quoted again", "[a]\n", "a", "k", "'q'",
                                 "[a]\nk=\"'q'\"\n"},
                      AssignCase{"an empty value stays empty", "[a]\nk=1\n", "a", "k", "", "[a]\nk=\n"}));

TEST(IniProfile, WritableNamesAndValues) {
  EXPECT_TRUE(iniNameIsWritable("no20"));
  for (const char* bad : {"", " x", "x ", "a=b", "[x", "a]", "a\nb"})
    EXPECT_FALSE(iniNameIsWritable(bad)) << bad;
  EXPECT_TRUE(iniValueIsWritable(" any = text \"'"));
  for (const std::string& bad : {std::string("a\rb"), std::string("a\nb"), std::string("a\0b", 3)})
    EXPECT_FALSE(iniValueIsWritable(bad));
}

TEST(IniProfile, ValuesReadBackExactlyAsWritten) {
  const std::string values[] = {"",     " ",   "  lead", "trail\t", "\"",   "\"\"", "'x'",
                                "\"x'", "a=b", "[no1]",  "12a",     "中文", "=",    ";comment"};
  std::string text = "[no1]\r\nx=0\r\n";
  for (const std::string& v : values) {
    text = iniAssign(text, "no1", "x", v, "\n");
    EXPECT_EQ(iniLookup(text, "no1", "x"), v) << "value [" << v << "]";
    text = iniAssign(text, "no1", "y", v, "\n");
    EXPECT_EQ(iniLookup(text, "no1", "y"), v);
    EXPECT_EQ(iniLookup(text, "no1", "x"), v) << "a later key changed an earlier one";
  }
}

}  // namespace
}  // namespace quorvel
