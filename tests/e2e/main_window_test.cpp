// The main window as a program start shows it: one checked box per drive of the test prefix
// (C: and D: fixed, E: removable) and per kind of media, no control that Tab reaches, no list yet,
// "&Export List" greyed and the About box.
#include "harness.h"

namespace {

using MainWindowTest = SorvaneTest;

TEST_F(MainWindowTest, StartAndAbout)
{
    char cls[64] = "";
    GetClassNameA(app.main, cls, sizeof cls);
    EXPECT_STREQ("Sorvane", cls);
    EXPECT_EQ("Sorvane", WindowTextOf(app.main));
    std::vector<std::string> boxes;
    for (HWND child : ChildWindows(app.main)) {
        EXPECT_EQ(0, GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) << WindowTextOf(child);
        if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
            boxes.push_back(WindowTextOf(child));
            EXPECT_TRUE(IsChecked(child)) << boxes.back();
        }
    }
    EXPECT_EQ((std::vector<std::string>{"C:", "D:", "E:", "Images: .jpg, .png, .gif, .tif, .bmp",
                                        "Audio: .mp3, .wma, .aac, .wav",
                                        "Video: .avi, .mp4, .wmv, .mkv, .mpg, .mov, .flv, .3gp"}),
              boxes);
    EXPECT_TRUE(ResultList(app) == NULL) << "the result list comes with the first search";

    PickMenu(app, 'F', 'E');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "a greyed Export List opened a dialog";
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);

    PickMenu(app, 'H', 'A');
    HWND box = WaitForMessageBox(app);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ("About Sorvane", WindowTextOf(box));
    std::string text = MessageBoxText(box);
    EXPECT_TRUE(text.find("This program is created by ") == 0 && text.find("\n Contact @ ") != std::string::npos &&
                text.find(" \n\n\t Version: 1.0") != std::string::npos) << text;
    Answer(box, IDOK);
    EXPECT_TRUE(WaitGone(box));
}

}  // namespace
