// The texts and sums a search and a send show: the completion report, byte amounts, the send
// status, the percentage, the bytes left, the speed gates, the time remaining, the order in
// which a send of all lines takes them and the room a copy needs.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "../../search/search_text.h"
#include "../../send/send_text.h"

// A send's status: amounts step from B to KB at 1024 and to MB at 1048576, and Left is what is not
// yet started. Times: 60 seconds stay seconds, and pauses do not count.
TEST(TextsTest, StatusAndTimes)
{
    char out[kStatusTextBytes];
    FormatSendStatus(out, sizeof out, 3, 5, 1023, 3 << 20, (3 << 20) - 1024, "D:\\a b\\x.jpg", "E:\\x.jpg");
    EXPECT_STREQ("Sending 3 of 5 (1023.00 B Of 3.00 MB , 1.00 KB Left)\n From:  D:\\a b\\x.jpg \n To:  E:\\x.jpg", out);
    const struct { long long seconds; const char *report, *remaining; } cases[] = {
        {60, "0 Minute(s) and 60", "60 Second(s)"}, {61, "1 Minute(s) and 1", "1 Minute(s) 1 Second(s)"}};
    for (const auto &c : cases) {
        ASSERT_TRUE(FormatCompletionText(out, sizeof out, c.seconds));
        EXPECT_EQ(std::string("Search completed in ") + c.report + " Second(s)", out);
        FormatSpeedText(out, sizeof out, 1, static_cast<uint64_t>(c.seconds));
        EXPECT_EQ(std::string("Speed: 0.00 MB/s\nTime Remaining: ") + c.remaining, out);
    }
    EXPECT_EQ(70, ElapsedSearchSeconds(1000000, 1100000, 30000));
    EXPECT_EQ(0, ElapsedSearchSeconds(1000, 990, 0));   // a clock set back
}

// Reports at (clock second, bytes): the list gate needs a second and a whole byte per second
// more, the single-file gate two seconds; the first report only starts the sample.
TEST(TextsTest, SpeedGates)
{
    const struct { bool single; long long now; uint64_t bytes; bool through; double speed; } steps[] = {
        {false, 1000, 4096, false, 0},       {false, 1001, 8192, true, 8192}, {false, 1003, 8193, false, 0.5},
        {false, 1003, 8194, true, 1},        {false, 990, 1 << 20, false, 0}, {true, 50, 0, false, 0},
        {true, 51, 3 << 20, false, 3 << 20}, {true, 52, 3 << 20, true, 1.5 * (1 << 20)},
    };
    SpeedSample samples[2] = {};   // the list's, a single file's
    for (const auto &st : steps) {
        double speed = -1;
        EXPECT_EQ(st.through, AdvanceSpeedSample(&samples[st.single], st.now, st.bytes, st.single, &speed)) << st.now;
        EXPECT_EQ(st.speed, speed) << st.now;
    }
}

// A file of 3 MiB data and a second stream of 1 MiB, sent among 10 MiB listed: the stream figures
// start again at 0, yet the percentage, the speed and what is left follow the whole file.
TEST(TextsTest, FiguresFollowAFileAcrossItsSecondStream)
{
    const uint64_t M = 1 << 20;
    const struct { long long now; CopyReport report; ReportFigures want; } reports[] = {
        {100, {4 * M, 0, 3 * M, 0}, {0, false, 0, 0}},   {101, {4 * M, 3 * M, 3 * M, 3 * M}, {75, true, 3 * M, 8 * M}},
        {102, {4 * M, 3 * M, M, 0}, {75, false, 0, 0}},  {103, {4 * M, 4 * M, M, M}, {100, true, M / 2, 7 * M}},
    };
    SpeedSample sample = {};
    for (const auto &r : reports) {
        ReportFigures f = FiguresOfReport(r.report, &sample, r.now, false, 10 * M, 3 * M);
        EXPECT_EQ(std::tie(r.want.percent, r.want.newSpeed, r.want.speed, r.want.remaining),
                  std::tie(f.percent, f.newSpeed, f.speed, f.remaining)) << r.now;
    }
    // Lines removed during the send left less listed than started: the rest of this file stays.
    SpeedSample fresh = {100, 0};
    EXPECT_EQ(M, FiguresOfReport({4 * M, 3 * M, M, 0}, &fresh, 101, false, 2 * M, 3 * M).remaining);
    // The percentage alone: whole, cut toward zero, and 100 for an empty or an overrun file.
    const struct { uint64_t done, size; int percent; } percents[] = {
        {29, 100, 29}, {999, 1000, 99}, {0, 0, 100}, {5000, 1000, 100}, {42ull << 40, 100ull << 40, 42}};
    for (const auto &p : percents)
        EXPECT_EQ(p.percent, ProgressPercent(p.done, p.size)) << p.done << "/" << p.size;
}

// Lines a b c d are sent while the user removes lines and a search appends one.
TEST(SendTest, SendsTheLinesThatStay)
{
    SendOrder order;
    StartSendOrder(&order, 4);
    EXPECT_EQ(0, TakeSendIndex(&order));   // a
    SendLineRemoved(&order, 1);            // b, not yet sent: a c d
    SendLineRemoved(&order, 0);            // a, being copied: c d
    EXPECT_EQ(0, TakeSendIndex(&order));   // c
    SendLineRemoved(&order, 1);            // d, the last line: c, then e appended
    EXPECT_EQ(-1, TakeSendIndex(&order));
    EXPECT_EQ(2, order.reached);

    // The room a copy needs: FAT's limit comes first, exFAT has none.
    const struct { uint64_t size, free; const char *fileSystem; CopyRoom room; } rooms[] = {
        {0xFFFFFFFF, ~0ull, "FAT32", ROOM_ENOUGH},    {1ull << 32, ~0ull, "FAT32", ROOM_FILE_TOO_LARGE},
        {1ull << 32, 1, "FAT", ROOM_FILE_TOO_LARGE},  {1ull << 32, ~0ull, "exFAT", ROOM_ENOUGH},
        {101, 100, "NTFS", ROOM_DISK_FULL},           {100, 100, "", ROOM_ENOUGH},
    };
    for (const auto &r : rooms)
        EXPECT_EQ(r.room, RoomForCopy(r.size, r.free, r.fileSystem)) << r.size << " " << r.fileSystem;
}
