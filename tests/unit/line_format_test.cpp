#include <gtest/gtest.h>

#include <string>

#include "../../app/line_format.h"

namespace {

TEST(LineFormatTest, OnlyTheNumberPrefixPatternIsStripped)
{
    EXPECT_STREQ("C:\\My Files\\a b.jpg", PathOfLine("(12) C:\\My Files\\a b.jpg"));
    EXPECT_STREQ("C:\\\\a.jpg", PathOfLine("(1) C:\\\\a.jpg"));
    // Plain paths, blanks and all, stay whole.
    EXPECT_STREQ("C:\\My Files\\a b.jpg", PathOfLine("C:\\My Files\\a b.jpg"));
    for (const char *notPrefix : {"() x", "(1)x", "(1x) y", "(1", "(", "", "(-1) x", " (1) x"})
        EXPECT_STREQ(notPrefix, PathOfLine(notPrefix)) << notPrefix;
    EXPECT_EQ(0u, NumberPrefixLength("(1)"));
    EXPECT_EQ(5u, NumberPrefixLength("(10) "));
}

TEST(LineFormatTest, NumberedLinesAreBuiltWithinTheBuffer)
{
    char out[16];
    ASSERT_TRUE(FormatNumberedLine(out, sizeof out, 3, "C:\\a.jpg"));
    EXPECT_STREQ("(3) C:\\a.jpg", out);
    EXPECT_FALSE(FormatNumberedLine(out, sizeof out, 123456, "C:\\abcdef.jpg"));
    EXPECT_STREQ("", out);
    std::string path(259, 'p');
    char line[kLineBytes];
    ASSERT_TRUE(FormatNumberedLine(line, sizeof line, 2147483647, path.c_str()));
    EXPECT_EQ(path, PathOfLine(line));
}

}  // namespace
