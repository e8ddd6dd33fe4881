#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../../send/send_text.h"

namespace {

std::string Amount(uint64_t bytes)
{
    char out[40];
    FormatByteAmount(out, sizeof out, bytes);
    return out;
}

std::string SpeedText(double speed, uint64_t remaining)
{
    char out[kSpeedTextBytes];
    FormatSpeedText(out, sizeof out, speed, remaining);
    return out;
}

TEST(SendTextTest, ByteAmountsChangeUnitAtTheBoundaries)
{
    EXPECT_EQ("0.00 B", Amount(0));
    EXPECT_EQ("1023.00 B", Amount(1023));
    EXPECT_EQ("1.00 KB", Amount(1024));
    EXPECT_EQ("1024.00 KB", Amount(1048575));  // 1023.999 rounds up, still in KB
    EXPECT_EQ("1.00 MB", Amount(1048576));
    EXPECT_EQ("3072.00 MB", Amount(3ull << 30));  // no unit above MB
    EXPECT_EQ("17592186044416.00 MB", Amount(UINT64_MAX));
}

TEST(SendTextTest, StatusTextOfOneFileAndOfALaterFileOfMany)
{
    char out[kStatusTextBytes];
    FormatSendStatus(out, sizeof out, 1, 1, 2048, 2048, 0, "D:\\a b\\x.jpg", "E:\\x.jpg");
    EXPECT_STREQ("Sending 1 of 1 (2.00 KB Of 2.00 KB , 2.00 KB Left)\n From:  D:\\a b\\x.jpg \n To:  E:\\x.jpg", out);

    FormatSendStatus(out, sizeof out, 3, 5, 1048576, 5 * 1048576, 2 * 1048576, "s", "t");
    EXPECT_STREQ("Sending 3 of 5 (1.00 MB Of 5.00 MB , 3.00 MB Left)\n From:  s \n To:  t", out);

    // Lines removed during the send: the total fell below what was already started.
    FormatSendStatus(out, sizeof out, 4, 5, 10, 100, 300, "s", "t");
    EXPECT_STREQ("Sending 4 of 5 (10.00 B Of 100.00 B , 0.00 B Left)\n From:  s \n To:  t", out);

    // A too small buffer is cut, never overrun.
    char small[12];
    FormatSendStatus(small, sizeof small, 1, 1, 1, 1, 0, "s", "t");
    EXPECT_STREQ("Sending 1 o", small);
}

TEST(SendTextTest, PercentIsCutTowardZeroAndAnEmptyFileIsDone)
{
    EXPECT_EQ(0, ProgressPercent(0, 100));
    EXPECT_EQ(29, ProgressPercent(29, 100));  // 29 / 100 * 100 in doubles is 28.999...
    EXPECT_EQ(99, ProgressPercent(999, 1000));
    EXPECT_EQ(100, ProgressPercent(1000, 1000));
    EXPECT_EQ(100, ProgressPercent(0, 0));
    EXPECT_EQ(100, ProgressPercent(5000, 1000));  // a file that grew while copied
    EXPECT_EQ(49, ProgressPercent(UINT64_MAX / 2 - 1, UINT64_MAX));
    EXPECT_EQ(42, ProgressPercent(42ull << 40, 100ull << 40));
}

TEST(SendTextTest, RemainingBytesNeverWrapBelowZero)
{
    // Listed 100, files before this one 30, this one 20 with 5 copied: 100 - 30 - 5.
    EXPECT_EQ(65u, ListRemainingBytes(100, 50, 20, 5));
    EXPECT_EQ(0u, ListRemainingBytes(40, 50, 20, 15));   // total shrank below the started files
    EXPECT_EQ(0u, ListRemainingBytes(0, 0, 0, 0));
    EXPECT_EQ(80u, ListRemainingBytes(100, 10, 20, 20)); // counter smaller than the file: nothing before
    EXPECT_EQ(UINT64_MAX - 1, ListRemainingBytes(UINT64_MAX, 1, 1, 1));
    EXPECT_EQ(7u, FileRemainingBytes(10, 3));
    EXPECT_EQ(0u, FileRemainingBytes(10, 12));
}

TEST(SendTextTest, ListGateNeedsOneSecondAndOneByte)
{
    SpeedSample s = {0, 0};
    double speed = -1;
    EXPECT_FALSE(AdvanceSpeedSample(&s, 1000, 4096, false, &speed));  // first report starts the sample
    EXPECT_EQ(1000, s.time);
    EXPECT_EQ(0, s.bytes);
    EXPECT_EQ(0, speed);
    EXPECT_FALSE(AdvanceSpeedSample(&s, 1000, 8192, false, &speed));  // same clock second
    ASSERT_TRUE(AdvanceSpeedSample(&s, 1001, 8192, false, &speed));
    EXPECT_EQ(8192, speed);
    EXPECT_EQ(1001, s.time);
    EXPECT_EQ(8192, s.bytes);
    // No new byte: speed 0, label and sample unchanged.
    EXPECT_FALSE(AdvanceSpeedSample(&s, 1003, 8192, false, &speed));
    EXPECT_EQ(1001, s.time);
    // Half a byte per second cuts to 0.
    EXPECT_FALSE(AdvanceSpeedSample(&s, 1003, 8193, false, &speed));
    EXPECT_TRUE(AdvanceSpeedSample(&s, 1003, 8194, false, &speed));
    EXPECT_EQ(1, speed);
    // A clock set back gives no negative speed.
    EXPECT_FALSE(AdvanceSpeedSample(&s, 990, 1 << 20, false, &speed));
}

TEST(SendTextTest, SingleGateWaitsTwoSeconds)
{
    SpeedSample s = {0, 0};
    double speed;
    EXPECT_FALSE(AdvanceSpeedSample(&s, 50, 0, true, &speed));
    EXPECT_FALSE(AdvanceSpeedSample(&s, 51, 3 << 20, true, &speed));
    EXPECT_EQ(50, s.time);
    ASSERT_TRUE(AdvanceSpeedSample(&s, 52, 3 << 20, true, &speed));
    EXPECT_EQ(1.5 * 1048576, speed);
    EXPECT_EQ("Speed: 1.50 MB/s\nTime Remaining: 2 Second(s)", SpeedText(speed, 3 << 20));
}

TEST(SendTextTest, TimeRemainingTurnsToMinutesAboveSixtySeconds)
{
    EXPECT_EQ("Speed: 0.00 MB/s\nTime Remaining: 60 Second(s)", SpeedText(1, 60));
    EXPECT_EQ("Speed: 0.00 MB/s\nTime Remaining: 1 Minute(s) 1 Second(s)", SpeedText(1, 61));
    EXPECT_EQ("Speed: 0.00 MB/s\nTime Remaining: 2 Minute(s) 0 Second(s)", SpeedText(1, 120));
    EXPECT_EQ("Speed: 0.00 MB/s\nTime Remaining: 61 Minute(s) 40 Second(s)", SpeedText(1, 3700));
    EXPECT_EQ("Speed: 1.00 MB/s\nTime Remaining: 0 Second(s)", SpeedText(1048576, 1048575));
    EXPECT_EQ("Speed: 2.00 MB/s\nTime Remaining: 0 Second(s)", SpeedText(2097152, 0));
    // Exabytes at 1 B/s stay a defined, bounded number.
    EXPECT_EQ("Speed: 0.00 MB/s\nTime Remaining: 16666666666666666 Minute(s) 40 Second(s)",
              SpeedText(1, UINT64_MAX));
}

TEST(SendTextTest, TargetsTakeTheNameAfterTheLastBackslash)
{
    char out[32];
    ASSERT_TRUE(TargetOfSource(out, sizeof out, "E:\\", "D:\\\\a b.jpg"));
    EXPECT_STREQ("E:\\a b.jpg", out);
    ASSERT_TRUE(TargetOfSource(out, sizeof out, "C:\\out\\", "noslash.mp3"));
    EXPECT_STREQ("C:\\out\\noslash.mp3", out);
    EXPECT_FALSE(TargetOfSource(out, 10, "E:\\", "D:\\long name.jpg"));
    EXPECT_STREQ("", out);
    ASSERT_TRUE(TargetOfSource(out, 9, "E:\\", "D:\\a.jpg"));  // exactly fills
    EXPECT_STREQ("E:\\a.jpg", out);
    EXPECT_FALSE(TargetOfSource(out, 8, "E:\\", "D:\\a.jpg"));

    ASSERT_TRUE(DestinationOfFolder(out, sizeof out, "C:\\My Files"));
    EXPECT_STREQ("C:\\My Files\\", out);
    ASSERT_TRUE(DestinationOfFolder(out, sizeof out, "F:\\"));
    EXPECT_STREQ("F:\\", out);
    EXPECT_FALSE(DestinationOfFolder(out, 4, "C:\\a"));
}

// A send of all lines against a user who removes lines anywhere (before the position, the line
// being copied, lines still to come) and a search that appends lines, in random order. Every
// line that stays is sent once and in list order; a removed line is never sent after its
// removal; an appended line never.
TEST(SendOrderTest, SendsExactlyTheLinesThatStayInTheList)
{
    std::mt19937 random(10);
    for (int round = 0; round < 3000; ++round) {
        int count = static_cast<int>(random() % 10);
        std::vector<int> list;  // line ids; the first count lines are there at the start
        for (int id = 0; id < count; ++id)
            list.push_back(id);
        int nextId = count;
        std::set<int> removed;
        std::vector<int> sent;
        SendOrder order;
        StartSendOrder(&order, count);
        for (;;) {
            for (int changes = static_cast<int>(random() % 3); changes > 0; --changes) {
                if (!list.empty() && random() % 4 != 0) {
                    size_t at = random() % list.size();
                    removed.insert(list[at]);
                    SendLineRemoved(&order, static_cast<int>(at));
                    list.erase(list.begin() + static_cast<long>(at));
                } else {
                    list.push_back(nextId++);
                }
            }
            int index = TakeSendIndex(&order);
            if (index < 0)
                break;
            ASSERT_LT(index, static_cast<int>(list.size())) << "round " << round;
            sent.push_back(list[static_cast<size_t>(index)]);
            ASSERT_EQ(static_cast<int>(sent.size()), order.reached);
        }
        for (size_t i = 0; i < sent.size(); ++i) {
            ASSERT_LT(sent[i], count) << "round " << round << ": an appended line was sent";
            if (i > 0)
                ASSERT_LT(sent[i - 1], sent[i]) << "round " << round << ": sent twice or out of order";
        }
        for (int id = 0; id < count; ++id)
            if (!removed.count(id))
                ASSERT_TRUE(std::find(sent.begin(), sent.end(), id) != sent.end())
                    << "round " << round << ": line " << id << " stayed but was skipped";
    }
}

}  // namespace
