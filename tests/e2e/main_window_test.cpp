// The main window as the program shows it at start: class, placement, controls, menus, closing.
#include "harness.h"

namespace {

struct Expected {
    const char *cls;
    const char *text;
    DWORD style;
    int x, y, w, h, id;
};

using MainWindowTest = SorvaneTest;

TEST_F(MainWindowTest, ClassTitleAndPlacement)
{
    char cls[64] = "";
    GetClassNameA(app.main, cls, sizeof cls);
    EXPECT_STREQ("Sorvane", cls);
    EXPECT_EQ("Sorvane", WindowTextOf(app.main));
    RECT r;
    GetWindowRect(app.main, &r);
    EXPECT_EQ(200, r.left);
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(950, r.right - r.left);
    EXPECT_EQ(710, r.bottom - r.top);
    EXPECT_EQ(static_cast<DWORD>(WS_OVERLAPPEDWINDOW), GetWindowLongA(app.main, GWL_STYLE) & WS_OVERLAPPEDWINDOW);
}

// Every control in creation order, with the test prefix's drives C: (fixed), D: (fixed) and
// E: (removable), each with a checked box.
TEST_F(MainWindowTest, ControlsInCreationOrder)
{
    const DWORD label = 0x50000001, check = 0x50000003, button = 0x50000001;
    const Expected expected[] = {
        {"Static", "Search In", label, 50, 50, 103, 25, 111},
        {"Button", "C:", check, 70, 80, 70, 20, 113},
        {"Button", "D:", check, 70, 110, 70, 20, 113},
        {"Button", "E:", check, 70, 140, 70, 20, 113},
        {"Static", "Search For", label, 350, 50, 103, 25, 112},
        {"Button", "Images: .jpg, .png, .gif, .tif, .bmp", check, 370, 80, 420, 20, 114},
        {"Button", "Audio: .mp3, .wma, .aac, .wav", check, 370, 110, 420, 20, 114},
        {"Button", "Video: .avi, .mp4, .wmv, .mkv, .mpg, .mov, .flv, .3gp", check, 370, 140, 420, 20, 114},
        {"Button", "Start Searching", button, 330, 170, 180, 60, 115},
        {"Button", "Advanced Search...", button, 550, 170, 180, 60, 126},
    };
    std::vector<HWND> children = ChildWindows(app.main);
    ASSERT_EQ(sizeof expected / sizeof expected[0], children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        ControlInfo c = ReadControl(children[i]);
        const Expected &e = expected[i];
        SCOPED_TRACE(e.text);
        EXPECT_STRCASEEQ(e.cls, c.cls.c_str());
        EXPECT_EQ(e.text, c.text);
        EXPECT_EQ(e.style, c.style & ~static_cast<DWORD>(WS_TABSTOP | WS_GROUP));
        EXPECT_EQ(0u, c.style & (WS_TABSTOP | WS_GROUP)) << "no control takes the focus by Tab";
        EXPECT_EQ(0u, c.exStyle & ~static_cast<DWORD>(WS_EX_NOPARENTNOTIFY));
        EXPECT_EQ(e.x, c.rect.left);
        EXPECT_EQ(e.y, c.rect.top);
        EXPECT_EQ(e.w, c.rect.right - c.rect.left);
        EXPECT_EQ(e.h, c.rect.bottom - c.rect.top);
        EXPECT_EQ(e.id, c.id);
        if (e.style == check) {
            EXPECT_TRUE(IsChecked(children[i]));
        }
    }
    EXPECT_TRUE(ResultList(app) == NULL) << "the result list comes with the first search";
}

TEST_F(MainWindowTest, ExportIsGreyedAtStart)
{
    PickMenu(app, 'F', 'E');
    EXPECT_TRUE(NoDialogFor(app, 1500)) << "a greyed Export List opened a dialog";
    PostMessageA(app.main, WM_CANCELMODE, 0, 0);
}

TEST_F(MainWindowTest, AboutBox)
{
    PickMenu(app, 'H', 'A');
    HWND box = WaitForMessageBox(app);
    ASSERT_TRUE(box != NULL);
    EXPECT_EQ("About Sorvane", WindowTextOf(box));
    std::string text = MessageBoxText(box);
    EXPECT_EQ(0u, text.find("This program is created by ")) << text;
    EXPECT_NE(std::string::npos, text.find("\n Contact @ ")) << text;
    EXPECT_NE(std::string::npos, text.find("@example.org \n\n\t Version: 1.0")) << text;
    Answer(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    EXPECT_FALSE(ProcessEnded(app, 200));
}

TEST_F(MainWindowTest, ExitClosesWithoutAQuestionWhileIdle)
{
    PickMenu(app, 'F', 'x');
    EXPECT_TRUE(ProcessEnded(app)) << MessageBoxText(WaitForMessageBox(app, 100));
}

TEST_F(MainWindowTest, CloseBoxClosesWithoutAQuestionWhileIdle)
{
    PostMessageA(app.main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(ProcessEnded(app)) << MessageBoxText(WaitForMessageBox(app, 100));
    DWORD code = 1;
    GetExitCodeProcess(app.pi.hProcess, &code);
    EXPECT_EQ(0u, code);
}

}  // namespace
