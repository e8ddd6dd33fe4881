// Open, open parent folder and properties reach the shell with the selected line's path.
#include "search_helpers.h"

namespace {
BOOL CALLBACK Show(HWND w, LPARAM) { char c[64], t[256]; GetClassNameA(w, c, 64); GetWindowTextA(w, t, 256); DWORD pid; GetWindowThreadProcessId(w, &pid); if (IsWindowVisible(w)) printf("WIN %p %s '%s' pid %lu\n", (void*)w, c, t, pid); return TRUE; }

class ListShellTest : public SorvaneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallRecorder());
        SorvaneTest::SetUp();
        MakeFile("D:\\a.jpg");
        MakeFile("D:\\Shows\\My Clip.sorvrec");
        TickDrives(app, {"D:"});
        g_settings_everything();
    }
    void TearDown() override
    {
        SorvaneTest::TearDown();
        UninstallRecorder();
    }
    void g_settings_everything() {}
};

void Dump(const Running &app, const char *what) {
    printf("== %s\n", what);
    HWND mb = WaitForMessageBox(app, 100); if (mb) printf("BOX %s\n", MessageBoxText(mb).c_str());
    HWND ex = FindWindowA("ExplorerWClass", NULL); if (ex) { HWND cb = FindWindowExA(FindWindowExA(ex, NULL, "ReBarWindow32", NULL), NULL, "ComboBoxEx32", NULL); printf("ADDR [%s]\n", WindowTextOf(cb).c_str()); }
    for (auto &l : RecordedLines()) printf("REC %s\n", l.c_str());
    EnumWindows(Show, 0);
}
TEST_F(ListShellTest, Experiment)
{
    EXPECT_EQ("Search Completed!", RunSearchToEnd(app));
    std::vector<std::string> lines = ListLines(ResultList(app));
    for (auto &l : lines) printf("LINE %s\n", l.c_str());
    SelectLine(app, 0);
    PostCommand(app.main, 117);
    Sleep(2000); Dump(app, "open");
    PostCommand(app.main, 121);
    Sleep(3000); Dump(app, "props");
    PostCommand(app.main, 118);
    Sleep(3000); Dump(app, "parent");
}

}  // namespace
