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
    MakeFile("D:\\notes.txt");
    MakeFile("D:\\one\\$RECYCLE.BIN\\x.jpg");
    MakeFile("D:\\two\\$Recycle.Bin\\y.jpg");
    MakeFile("D:\\three\\$recycle.bin\\z.jpg");
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
    EXPECT_EQ("Search completed in 0 Minute(s) and 0 Second(s)", StatusText(app).substr(0, 0) + StatusText(app));
    EXPECT_EQ("Start Searching", WindowTextOf(StartButton(app)));
    EXPECT_EQ("Advanced Search...", WindowTextOf(AdvancedButton(app)));
}

}  // namespace
