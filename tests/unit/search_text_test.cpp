#include <gtest/gtest.h>

#include <string>

#include "../../search/search_text.h"

namespace {

std::string Completion(long long seconds)
{
    char out[96];
    EXPECT_TRUE(FormatCompletionText(out, sizeof out, seconds));
    return out;
}

TEST(SearchTextTest, CompletionKeepsSecondsUpToSixty)
{
    EXPECT_EQ("Search completed in 0 Minute(s) and 0 Second(s)", Completion(0));
    EXPECT_EQ("Search completed in 0 Minute(s) and 59 Second(s)", Completion(59));
    EXPECT_EQ("Search completed in 0 Minute(s) and 60 Second(s)", Completion(60));
    EXPECT_EQ("Search completed in 1 Minute(s) and 1 Second(s)", Completion(61));
    EXPECT_EQ("Search completed in 2 Minute(s) and 0 Second(s)", Completion(120));
    EXPECT_EQ("Search completed in 2 Minute(s) and 5 Second(s)", Completion(125));
    EXPECT_EQ("Search completed in 1440 Minute(s) and 0 Second(s)", Completion(86400));
    char tiny[10];
    EXPECT_FALSE(FormatCompletionText(tiny, sizeof tiny, 5));
    EXPECT_STREQ("", tiny);
}

TEST(SearchTextTest, ElapsedTimeLeavesOutThePausesInWholeSeconds)
{
    EXPECT_EQ(70, ElapsedSearchSeconds(1000000, 1100000, 30000));
    EXPECT_EQ(0, ElapsedSearchSeconds(5999, 6999, 1));     // 999 ms
    EXPECT_EQ(1, ElapsedSearchSeconds(5999, 7000, 1));     // 1000 ms
    EXPECT_EQ(60, ElapsedSearchSeconds(0, 60999, 0));
    EXPECT_EQ(0, ElapsedSearchSeconds(1000, 990, 0));      // never below 0
    EXPECT_EQ(0, ElapsedSearchSeconds(1000, 1010, 30));
    EXPECT_EQ(5000000, ElapsedSearchSeconds(0, 5000000000ULL, 0));  // past 32 bits of milliseconds
}

TEST(SearchTextTest, JoiningAlwaysAddsTheBackslash)
{
    char out[32];
    EXPECT_EQ(9u, JoinPath(out, sizeof out, "C:\\", "Music"));
    EXPECT_STREQ("C:\\\\Music", out);
    JoinPath(out, sizeof out, "C:\\", "*.*");
    EXPECT_STREQ("C:\\\\*.*", out);
    JoinPath(out, sizeof out, "C:\\\\Music", "*.*");
    EXPECT_STREQ("C:\\\\Music\\*.*", out);
    JoinPath(out, sizeof out, "C:\\Photos", "a.jpg");
    EXPECT_STREQ("C:\\Photos\\a.jpg", out);
    // Exactly full, and one byte over.
    EXPECT_EQ(31u, JoinPath(out, sizeof out, std::string(29, 'f').c_str(), "n"));
    EXPECT_EQ(0u, JoinPath(out, sizeof out, std::string(30, 'f').c_str(), "n"));
    EXPECT_STREQ("", out);

    ASSERT_TRUE(FormatStatusText(out, sizeof out, "C:\\"));
    EXPECT_STREQ("Searching C:\\", out);
}

TEST(SearchTextTest, ParentFolderDropsTheLastBackslashAndName)
{
    char out[64];
    ASSERT_TRUE(ParentFolderOf("C:\\Photos\\Summer\\a.jpg", out, sizeof out));
    EXPECT_STREQ("C:\\Photos\\Summer", out);
    ASSERT_TRUE(ParentFolderOf("C:\\\\a.jpg", out, sizeof out));
    EXPECT_STREQ("C:\\", out);
    ASSERT_TRUE(ParentFolderOf("C:\\\\Music\\a b.mp3", out, sizeof out));
    EXPECT_STREQ("C:\\\\Music", out);
    ASSERT_TRUE(ParentFolderOf("C:\\a.jpg", out, sizeof out));  // a bare drive keeps its root
    EXPECT_STREQ("C:\\", out);
    EXPECT_FALSE(ParentFolderOf("a.jpg", out, sizeof out));
    char tiny[4];
    EXPECT_FALSE(ParentFolderOf("C:\\abc\\d", tiny, sizeof tiny));
}

TEST(SearchTextTest, CollapsingBackslashesKeepsANetworkPrefix)
{
    char out[32];
    ASSERT_TRUE(CollapseBackslashes("C:\\\\Music\\\\a.mp3", out, sizeof out));
    EXPECT_STREQ("C:\\Music\\a.mp3", out);
    ASSERT_TRUE(CollapseBackslashes("\\\\srv\\\\share\\a", out, sizeof out));
    EXPECT_STREQ("\\\\srv\\share\\a", out);
    ASSERT_TRUE(CollapseBackslashes("", out, sizeof out));
    EXPECT_STREQ("", out);
    char tiny[6];
    EXPECT_TRUE(CollapseBackslashes("C:\\\\ab", tiny, sizeof tiny));  // fits once collapsed
    EXPECT_STREQ("C:\\ab", tiny);
    EXPECT_FALSE(CollapseBackslashes("C:\\abc", tiny, sizeof tiny));
    EXPECT_STREQ("", tiny);
}

}  // namespace
