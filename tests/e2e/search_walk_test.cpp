// The walker seen through the window: which files of the ticked drives become lines, in what
// form, numbered once each while two walkers add at the same time, and the report at the end.
#include "search_helpers.h"

namespace {

using SearchWalkTest = SorvaneTest;

bool CompletedReport(const std::string &status)
{
    return status.rfind("Search completed in 0 Minute(s) and ", 0) == 0 && status.find(" Second(s)") != std::string::npos;
}

TEST_F(SearchWalkTest, ListsMatchingFilesOfTheTickedDrivesNumberedOnce)
{
    std::set<std::string> expected = {
        "D:\\\\a.jpg", "D:\\\\PHOTO.JPG", "D:\\\\Music\\b.mp3", "D:\\\\Music\\Deep\\c.MP4",
        "D:\\\\Music\\Deep\\My Song.WaV", "D:\\\\three\\$recycle.bin\\z.jpg"};
    for (const std::string &path : expected)
        MakeFile(path.substr(0, 3) + path.substr(4));
    for (const char *skipped : {"D:\\photo.jpeg", "D:\\archive.tar.gz", "D:\\Docs.old\\readme", "D:\\Docs.mp3\\readme",
                                "D:\\one\\$RECYCLE.BIN\\x.jpg", "D:\\two\\$Recycle.Bin\\y.jpg"})
        MakeFile(skipped);
    // The full path as joined, both backslashes after D: counted, may be 259 characters long.
    const std::string folder = "D:\\" + std::string(120, 'a') + "\\" + std::string(120, 'b');
    const size_t room = 259 - (folder.size() + 1) - 1;   // characters left for the name
    MakeFile(folder + "\\" + std::string(room - 4, 'c') + ".jpg");
    MakeFile(folder + "\\" + std::string(room - 3, 'd') + ".jpg");
    expected.insert("D:\\\\" + folder.substr(3) + "\\" + std::string(room - 4, 'c') + ".jpg");
    // Many hits on both drives at once.
    for (int f = 0; f < 6; ++f)
        for (int i = 0; i < 60; ++i)
            for (const char *drive : {"D:", "E:"}) {
                std::string rel = "\\f" + std::to_string(f) + "\\s" + std::to_string(i) + ".mp3";
                MakeFile(drive + rel);
                expected.insert(std::string(drive) + "\\" + rel);
            }
    TickDrives(app, {"D:", "E:"});   // C:, unticked, holds media files of its own

    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    std::vector<std::string> paths = PathsNumberedInOrder(ListLines(ResultList(app)));
    EXPECT_EQ(expected.size(), paths.size());
    EXPECT_EQ(expected, AsSet(paths));
    EXPECT_TRUE(CompletedReport(StatusText(app))) << StatusText(app);
    EXPECT_EQ("Start Searching", WindowTextOf(StartButton(app)));
    EXPECT_EQ("Advanced Search...", WindowTextOf(AdvancedButton(app)));
}

// A search with nothing to walk reports at once and leaves "&Export List" greyed, so that the
// menu cannot pick it; one that lists a file enables it; a later empty one greys it again.
TEST_F(SearchWalkTest, CompletionReportAndExportListFollowTheFoundFiles)
{
    TickDrives(app, {});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app, 10000));
    EXPECT_TRUE(CompletedReport(StatusText(app))) << StatusText(app);
    EXPECT_EQ(0, LineCount(app));
    PickMenu(app, 'f', 'e');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "a greyed Export List was picked";
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);

    MakeFile("D:\\a.gif");
    TickDrives(app, {"D:"});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    PickMenu(app, 'f', 'e');
    HWND save = WaitForWindow(app, "#32770", nullptr, 5000);
    ASSERT_TRUE(save != NULL) << "Export List stayed greyed";
    PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    WaitGone(save);

    // A second search starts a fresh list, numbered from 1 again.
    MakeFile("D:\\b.gif");
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    EXPECT_EQ(2u, PathsNumberedInOrder(ListLines(ResultList(app))).size());
    TickDrives(app, {});
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app, 10000));
    PickMenu(app, 'f', 'e');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "Export List stayed enabled after an empty search";
}

}  // namespace
