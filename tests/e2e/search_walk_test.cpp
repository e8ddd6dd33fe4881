// The walker seen through the window: which files become lines, in what form, with which
// numbers, and the report at the end.
#include "search_helpers.h"

namespace {

using SearchWalkTest = SorvaneTest;

TEST_F(SearchWalkTest, ListsMatchingFilesAsNumberedLinesUnderTheDriveRoot)
{
    MakeFile("D:\\a.jpg");
    MakeFile("D:\\PHOTO.JPG");
    MakeFile("D:\\Music\\b.mp3", 2048);
    MakeFile("D:\\Music\\Deep\\c.MP4");
    MakeFile("D:\\Music\\Deep\\My Song.WaV");
    MakeFile("D:\\photo.jpeg");
    MakeFile("D:\\archive.tar.gz");
    MakeFile("D:\\Docs.old\\readme");
    MakeFile("D:\\Docs.mp3\\readme");
    MakeFile("D:\\notes.txt");
    MakeFile("D:\\one\\$RECYCLE.BIN\\x.jpg");
    MakeFile("D:\\two\\$Recycle.Bin\\y.jpg");
    MakeFile("D:\\three\\$recycle.bin\\z.jpg");
    MakeFile("E:\\e.jpg");
    TickDrives(app, {"D:"});

    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    std::vector<std::string> paths = PathsNumberedInOrder(ListLines(ResultList(app)));
    std::set<std::string> expected = {
        "D:\\\\a.jpg",
        "D:\\\\PHOTO.JPG",
        "D:\\\\Music\\b.mp3",
        "D:\\\\Music\\Deep\\c.MP4",
        "D:\\\\Music\\Deep\\My Song.WaV",
        "D:\\\\three\\$recycle.bin\\z.jpg",
    };
    EXPECT_EQ(expected, AsSet(paths));
    EXPECT_EQ(expected.size(), paths.size());
    EXPECT_EQ("Search completed in 0 Minute(s) and 0 Second(s)", StatusText(app));
    EXPECT_EQ("Start Searching", WindowTextOf(StartButton(app)));
    EXPECT_EQ("Advanced Search...", WindowTextOf(AdvancedButton(app)));
}

// The full path as joined, both backslashes after D: counted, may be 259 characters long.
TEST_F(SearchWalkTest, FullPathsOf259CharactersAreListedAnd260AreNot)
{
    const std::string folder = "D:\\" + std::string(120, 'a') + "\\" + std::string(120, 'b');
    const std::string joined = "D:\\\\" + folder.substr(3);  // as the walker writes it
    const size_t room = 259 - joined.size() - 1;                // characters left for the name
    const std::string fits = std::string(room - 4, 'c') + ".jpg";
    const std::string over = std::string(room - 3, 'd') + ".jpg";
    MakeFile(folder + "\\" + fits);
    MakeFile(folder + "\\" + over);
    ASSERT_TRUE(FileExists(folder + "\\" + over));
    TickDrives(app, {"D:"});

    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    std::vector<std::string> paths = PathsNumberedInOrder(ListLines(ResultList(app)));
    ASSERT_EQ(1u, paths.size());
    EXPECT_EQ(joined + "\\" + fits, paths[0]);
    EXPECT_EQ(259u, paths[0].size());
}

TEST_F(SearchWalkTest, TwoWalkersNeverRepeatOrSkipANumber)
{
    std::set<std::string> expected;
    for (int f = 0; f < 6; ++f)
        for (int i = 0; i < 60; ++i)
            for (const char *drive : {"D:", "E:"}) {
                std::string rel = "\\f" + std::to_string(f) + "\\s" + std::to_string(i) + ".mp3";
                MakeFile(drive + rel);
                expected.insert(std::string(drive) + "\\" + rel);
            }
    TickDrives(app, {"D:", "E:"});

    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    std::vector<std::string> paths = PathsNumberedInOrder(ListLines(ResultList(app)));
    EXPECT_EQ(expected.size(), paths.size());
    EXPECT_EQ(expected, AsSet(paths));
}

// A search with nothing to walk reports at once and leaves "&Export List" greyed, so that the
// menu cannot pick it; one that lists a file enables it; a later empty one greys it again.
TEST_F(SearchWalkTest, CompletionReportAndExportListFollowTheFoundFiles)
{
    TickDrives(app, {});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app, 10000));
    EXPECT_EQ("Search completed in 0 Minute(s) and 0 Second(s)", StatusText(app));
    EXPECT_EQ(0, LineCount(app));
    PickMenu(app, 'f', 'e');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "a greyed Export List was picked";
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);

    MakeFile("D:\\a.gif");
    TickDrives(app, {"D:"});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    EXPECT_EQ(1, LineCount(app));
    PickMenu(app, 'f', 'e');
    HWND save = WaitForWindow(app, "#32770", nullptr, 5000);
    ASSERT_TRUE(save != NULL) << "Export List stayed greyed";
    PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    WaitGone(save);

    // A second search starts a fresh list, numbered from 1 again.
    MakeFile("D:\\b.gif");
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    std::vector<std::string> paths = PathsNumberedInOrder(ListLines(ResultList(app)));
    EXPECT_EQ(2u, paths.size());

    TickDrives(app, {});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app, 10000));
    PickMenu(app, 'f', 'e');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "Export List stayed enabled after an empty search";
}

}  // namespace
