// The advanced settings dialog as the tests drive it: opening it, its controls by ID, the radio
// buttons, the folder browser, the common file dialogs and the message boxes it leads to.
#ifndef SORVANE_E2E_SETTINGS_DRIVER_H
#define SORVANE_E2E_SETTINGS_DRIVER_H

#include <string>
#include <vector>

#include "harness.h"

namespace settings_e2e {

inline constexpr char kCaption[] = "Advances Search Settings";
inline constexpr char kInvalidData[] = "An invalid data found in the file. Settings might not have been loaded completely";

class SettingsTest : public SorvaneTest {
protected:
    HWND dlg = NULL;

    void Open()
    {
        Click(ChildById(app.main, 126));
        dlg = WaitForWindow(app, "#32770", kCaption);
        ASSERT_TRUE(dlg != NULL) << "the dialog did not open";
    }
    HWND Ctl(int id) const { return GetDlgItem(dlg, id); }
    bool On(int id) const { return IsChecked(Ctl(id)); }
    bool Shown(int id) const { return IsWindowVisible(Ctl(id)) != FALSE; }
    std::string Text(int id) const { return WindowTextOf(Ctl(id)); }
    void SetText(int id, const std::string &text) { SendMessageA(Ctl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    int Unit(int id) const { return static_cast<int>(SendMessageA(Ctl(id), CB_GETCURSEL, 0, 0)); }
    // As the keyboard would: the box moves its selection and reports the change itself.
    void StepUnit(int id, WORD key) { SendKey(Ctl(id), key); }
    // Clicks, then waits until the given condition holds.
    void Press(int id) { Click(Ctl(id)); }
    void PressAndWait(int id, const std::function<bool()> &until, const char *what)
    {
        Press(id);
        EXPECT_TRUE(WaitUntil(until)) << what;
    }
    bool Closed(int timeoutMs = 5000) { return WaitUntil([&] { return !IsWindow(dlg); }, timeoutMs); }
    void PressOkAndExpectClose()
    {
        Press(151);
        ASSERT_TRUE(Closed()) << "OK did not end the dialog";
    }
    void CancelAndReopen()
    {
        Press(152);
        ASSERT_TRUE(Closed()) << "Cancel did not end the dialog";
        Open();
    }

    void AnswerBox(const std::string &text, HWND owner, int button) { ::AnswerBox(app, text, button, owner); }

    // The common Save or Open dialog: the window with the file-name box 1148.
    HWND WaitForFileDialog()
    {
        HWND found = NULL;
        WaitUntil([&] {
            for (HWND w : TopLevelOf(app))
                if (w != dlg && w != app.main && FindDescendant(w, [](HWND c) { return GetDlgCtrlID(c) == 1148; })) {
                    found = w;
                    return true;
                }
            return false;
        });
        return found;
    }
    // Opens the Save (167) or Open (168) dialog and chooses the name; returns the file dialog,
    // which has closed unless keepOpen says it may still ask something.
    HWND UseFileDialog(int button, const std::string &name, bool keepOpen = false)
    {
        Press(button);
        HWND fd = WaitForFileDialog();
        EXPECT_TRUE(fd != NULL) << "no file dialog";
        if (!fd)
            return NULL;
        EXPECT_EQ(app.main, GetWindow(fd, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(dlg)) << "the dialog takes no clicks meanwhile";
        FillFileDialog(fd, name);
        if (!keepOpen) {
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(fd); })) << "the file dialog stayed";
        }
        return fd;
    }
    void Save(const std::string &name)
    {
        UseFileDialog(167, name);
        AnswerBox("Settings successfully saved", dlg, IDOK);
    }
    // Loads a file with these bytes; true when the invalid-data warning showed (and was closed).
    bool Load(const std::string &bytes)
    {
        WriteFileBytes("D:\\load.svq", bytes);
        UseFileDialog(168, "D:\\load.svq");
        // A message sent to the dialog is answered once the load is done or its warning is up.
        Answers(dlg, 10000);
        if (!WaitForBoxSaying(app, kInvalidData, 300))
            return false;
        AnswerBox(kInvalidData, dlg, IDOK);
        return true;
    }

    // Presses "Select folder to search in..." and picks My Computer's child number `drive`
    // (0 C:, 1 D:, 2 E:) with the keyboard in the browser's tree; or cancels the browser.
    void BrowseTo(int drive)
    {
        Press(153);
        HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
        ASSERT_TRUE(browser != NULL) << "no folder browser";
        EXPECT_EQ(dlg, GetWindow(browser, GW_OWNER));
        EXPECT_EQ("Navigate to the folder you want to search in", WindowTextOf(GetDlgItem(browser, 14146)));
        if (drive < 0) {
            Answer(browser, IDCANCEL);
        } else {
            HWND tree = GetDlgItem(browser, 14145);
            // Desktop, "/", Documents, My Computer; open it, then down to the drive.
            for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT})
                SendKey(tree, key);
            for (int i = 0; i <= drive; ++i)
                SendKey(tree, VK_DOWN);
            std::string want = std::string(" (") + static_cast<char>('C' + drive) + ":)";
            EXPECT_TRUE(WaitUntil([&] { return WindowTextOf(GetDlgItem(browser, 14149)) == want; }))
                << "the tree did not reach " << want;
            Answer(browser, IDOK);
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(browser); }));
    }

    // All three drive (113) or media (114) boxes of the main window are so.
    bool BoxesTicked(int id, bool ticked)
    {
        for (int i = 0; i < 3; ++i)
            if (IsChecked(ChildById(app.main, id, i)) != ticked)
                return false;
        return true;
    }
};

}  // namespace settings_e2e

#endif
