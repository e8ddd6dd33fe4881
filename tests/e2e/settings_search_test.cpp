// A search after OK uses what the dialog committed: the folder instead of the ticked drives,
// every file or the own extensions, and both size limits to the exact byte, beyond 4 GB too.
#include "search_helpers.h"
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using SettingsSearchTest = SettingsTest;

const uint64_t kMin4097MB = 4097ull << 20;   // 4,296,015,872 bytes
const uint64_t k5GB = 5ull << 30;            // 5,368,709,120 bytes

std::set<std::string> Found(const Running &app)
{
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    return AsSet(PathsNumberedInOrder(ListLines(ResultList(app))));
}

TEST_F(SettingsSearchTest, ASearchAfterOkUsesTheSettings)
{
    for (uint64_t size : {1023, 1024, 2048, 2049})
        MakeFile("D:\\k" + std::to_string(size) + ".txt", size);
    MakeFile("D:\\noext", 1500);
    MakeFile("D:\\a.avi", 1500);
    MakeFile("D:\\c.jpg", 1500);
    MakeFile("D:\\d.mkv", 1500);
    MakeFile("D:\\big\\g1.bin", kMin4097MB - 1);   // sparse
    MakeFile("D:\\big\\g2.bin", kMin4097MB);
    MakeFile("D:\\big\\g3.bin", k5GB);
    MakeFile("D:\\big\\g4.bin", k5GB + 1);
    MakeFile("E:\\e.avi", 1500);
    MakeFile("E:\\e.txt", 1500);

    // The folder D:\, every file, from 1 KB to 2 KB.
    Open();
    BrowseTo(1);
    PressAndWait(160, [&] { return On(160); }, "everything");
    PressAndWait(161, [&] { return On(161); }, "minimum");
    PressAndWait(162, [&] { return On(162); }, "maximum");
    SetText(164, "2");
    StepUnit(166, VK_UP);
    StepUnit(166, VK_UP);
    ASSERT_TRUE(WaitUntil([&] { return Unit(166) == 0; }));
    PressOkAndExpectClose();
    TickDrives(app, {"E:"});   // the folder wins over a ticked drive
    EXPECT_EQ((std::set<std::string>{"D:\\\\k1024.txt", "D:\\\\k2048.txt", "D:\\\\noext", "D:\\\\a.avi",
                                     "D:\\\\c.jpg", "D:\\\\d.mkv"}),
              Found(app));

    // From 4097 MB to 5 GB: limits past 32 bits.
    Open();
    SetText(163, "4097");
    StepUnit(165, VK_DOWN);
    SetText(164, "5");
    StepUnit(166, VK_DOWN);
    StepUnit(166, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return Unit(165) == 1 && Unit(166) == 2; }));
    PressOkAndExpectClose();
    EXPECT_EQ((std::set<std::string>{"D:\\\\big\\g2.bin", "D:\\\\big\\g3.bin"}), Found(app));

    // Own extensions, any size: the media tables and the media boxes no longer count.
    Open();
    PressAndWait(155, [&] { return Shown(157); }, "own extensions");
    SetText(157, ".avi .TXT");
    PressAndWait(161, [&] { return !On(161); }, "minimum off");
    PressAndWait(162, [&] { return !On(162); }, "maximum off");
    PressOkAndExpectClose();
    EXPECT_TRUE(BoxesTicked(114, false));
    SetChecked(ChildById(app.main, 114, 0), true);   // Images: .jpg stays out all the same
    EXPECT_EQ((std::set<std::string>{"D:\\\\k1023.txt", "D:\\\\k1024.txt", "D:\\\\k2048.txt", "D:\\\\k2049.txt",
                                     "D:\\\\a.avi"}),
              Found(app));
    // A file may switch the folder on without naming one: the search then walks nothing, rather
    // than the root of whatever drive is current.
    Open();
    EXPECT_FALSE(Load("2\r\n1\r\n0\r\n0"));
    EXPECT_TRUE(On(153));
    EXPECT_EQ("", Text(159));
    PressOkAndExpectClose();
    TickDrives(app, {"D:"});
    EXPECT_TRUE(Found(app).empty());
}

}  // namespace
