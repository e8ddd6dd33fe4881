// A search after OK uses what the dialog committed: the folder instead of the ticked drives,
// every file or the own extensions, and both size limits to the exact byte, beyond 4 GB too.
#include "settings_driver.h"

namespace {

using namespace settings_e2e;
using SettingsSearchTest = SettingsTest;

std::set<std::string> Found(const Running &app)
{
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    return AsSet(PathsNumberedInOrder(ListLines(ResultList(app))));
}

TEST_F(SettingsSearchTest, ASearchAfterOkUsesTheSettings)
{
    for (uint64_t size : {1023, 1024, 2048, 2049})
        MakeFile("D:\\k" + std::to_string(size) + ".txt", size);
    for (const char *name : {"D:\\noext", "D:\\a.avi", "D:\\c.jpg", "D:\\d.mkv", "E:\\e.avi", "E:\\e.txt"})
        MakeFile(name, 1500);
    const uint64_t mb4097 = 4097ull << 20, gb5 = 5ull << 30;
    MakeFile("D:\\big\\g1.bin", mb4097 - 1);   // sparse
    MakeFile("D:\\big\\g2.bin", mb4097);
    MakeFile("D:\\big\\g3.bin", gb5);
    MakeFile("D:\\big\\g4.bin", gb5 + 1);

    // The folder D:\, every file, from 1 KB to 2 KB; the folder wins over a ticked drive.
    Open();
    BrowseTo("D:\\");
    Tick(160);
    Tick(161);
    Tick(162);
    SetText(164, "2");
    StepUnits(166, VK_UP, 2, 0);
    End(151);
    TickDrives(app, {"E:"});
    EXPECT_EQ((std::set<std::string>{"D:\\\\k1024.txt", "D:\\\\k2048.txt", "D:\\\\noext", "D:\\\\a.avi",
                                     "D:\\\\c.jpg", "D:\\\\d.mkv"}),
              Found(app));

    // From 4097 MB to 5 GB: limits past 32 bits.
    Open();
    SetText(163, "4097");
    StepUnits(165, VK_DOWN, 1, 1);
    SetText(164, "5");
    StepUnits(166, VK_DOWN, 2, 2);
    End(151);
    EXPECT_EQ((std::set<std::string>{"D:\\\\big\\g2.bin", "D:\\\\big\\g3.bin"}), Found(app));

    // Own extensions, any size: the media tables and the media boxes no longer count.
    Open();
    OwnExtensions(".avi .TXT");
    Tick(161, false);
    Tick(162, false);
    End(151);
    EXPECT_TRUE(BoxesTicked(114, false));
    SetChecked(ChildById(app.main, 114, 0), true);   // Images: .jpg stays out all the same
    EXPECT_EQ((std::set<std::string>{"D:\\\\k1023.txt", "D:\\\\k1024.txt", "D:\\\\k2048.txt", "D:\\\\k2049.txt",
                                     "D:\\\\a.avi"}),
              Found(app));

    // A file may switch the folder on without naming one: the search then walks nothing, rather
    // than the root of whatever drive is current.
    Open();
    EXPECT_FALSE(Load("2\r\n1\r\n0\r\n0"));
    EXPECT_EQ("", Text(159));
    End(151);
    TickDrives(app, {"D:"});
    EXPECT_TRUE(Found(app).empty());
}

}  // namespace
