#include <gtest/gtest.h>

#include "installer/host/CommandLine.h"

using Words = std::vector<std::string>;

TEST(SplitCommandLine, QuotedProgramPathAndTokenArgument) {
  EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\Kelvora Setup.exe\" iKey_eKalit"),
            (Words{"C:\\Program Files\\Kelvora Setup.exe", "iKey_eKalit"}));
}

TEST(SplitCommandLine, QuotesJoinTheWordTheyStandInAndAreDropped) {
  EXPECT_EQ(SplitCommandLine("setup a\"b c\"d \"\" e"), (Words{"setup", "ab cd", "", "e"}));
  // An unclosed quote runs to the end of the line.
  EXPECT_EQ(SplitCommandLine("setup \"x y  z"), (Words{"setup", "x y  z"}));
}

TEST(SplitCommandLine, ControlCharactersSeparateLikeBlanks) {
  EXPECT_EQ(SplitCommandLine("\t setup\x01iKey\r\neKalit\x1f"), (Words{"setup", "iKey", "eKalit"}));
  EXPECT_EQ(SplitCommandLine("setup \"a\tb\""), (Words{"setup", "a\tb"}));
  EXPECT_TRUE(SplitCommandLine(" \t\x02 ").empty());
}

TEST(SplitCommandLine, NonAsciiTextStaysInItsWord) {
  EXPECT_EQ(SplitCommandLine("setup \"C:\\Папка с пробелом\""), (Words{"setup", "C:\\Папка с пробелом"}));
}
