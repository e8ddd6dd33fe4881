// The advanced settings dialog as the tests drive it: its controls by ID, the folder browser,
// the Save and Open dialogs and the message boxes it leads to.
#ifndef SORVANE_E2E_SETTINGS_DRIVER_H
#define SORVANE_E2E_SETTINGS_DRIVER_H

#include <string>

#include "send_helpers.h"

namespace settings_e2e {

inline constexpr char kInvalidData[] = "An invalid data found in the file. Settings might not have been loaded completely";

class SettingsTest : public SorvaneTest {
protected:
    HWND dlg = NULL;

    void Open()
    {
        Click(ChildById(app.main, 126));
        dlg = WaitForWindow(app, "#32770", "Advances Search Settings");
        ASSERT_TRUE(dlg != NULL) << "the dialog did not open";
    }
    HWND Ctl(int id) const { return GetDlgItem(dlg, id); }
    bool On(int id) const { return IsChecked(Ctl(id)); }
    bool Shown(int id) const { return IsWindowVisible(Ctl(id)) != FALSE; }
    std::string Text(int id) const { return WindowTextOf(Ctl(id)); }
    void SetText(int id, const std::string &text) { SendMessageA(Ctl(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
    int Unit(int id) const { return static_cast<int>(SendMessageA(Ctl(id), CB_GETCURSEL, 0, 0)); }
    // As the keyboard would: the box moves its selection and reports the change itself.
    void StepUnits(int id, WORD key, int times, int want)
    {
        for (int i = 0; i < times; ++i)
            SendKey(Ctl(id), key);
        EXPECT_TRUE(WaitUntil([&] { return Unit(id) == want; })) << id;
    }
    void Press(int id, const std::function<bool()> &until)
    {
        Click(Ctl(id));
        EXPECT_TRUE(WaitUntil(until)) << "after pressing " << id;
    }
    void Tick(int id, bool on = true) { Press(id, [this, id, on] { return On(id) == on; }); }
    void OwnExtensions(const std::string &text)
    {
        Press(155, [&] { return Shown(157); });
        SetText(157, text);
    }
    void End(int button)
    {
        Click(Ctl(button));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); })) << button << " did not end the dialog";
    }
    void CancelAndReopen()
    {
        End(152);
        Open();
    }

    // Opens the Save (167) or Open (168) dialog, owned by the main window while the settings
    // dialog takes no clicks, and chooses the name.
    void UseFileDialog(int button, const std::string &name)
    {
        Click(Ctl(button));
        HWND fd = WaitForFirst([&] {
            std::vector<HWND> found;
            for (HWND w : TopLevelOf(app))
                if (w != dlg && FindDescendant(w, [](HWND c) { return GetDlgCtrlID(c) == 1148; }))
                    found.push_back(w);
            return found;
        });
        ASSERT_TRUE(fd != NULL) << "no file dialog";
        EXPECT_EQ(app.main, GetWindow(fd, GW_OWNER));
        EXPECT_FALSE(IsWindowEnabled(dlg));
        FillFileDialog(fd, name);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(fd); })) << "the file dialog stayed";
    }
    void Save(const std::string &name)
    {
        UseFileDialog(167, name);
        AnswerBox(app, "Settings successfully saved", IDOK, dlg);
    }
    // Loads a file with these bytes; true when the invalid-data warning showed (and was closed).
    bool Load(const std::string &bytes)
    {
        WriteFileBytes("D:\\load.svq", bytes);
        UseFileDialog(168, "D:\\load.svq");
        Answers(dlg, 10000);   // answered once the load is done or its warning is up
        if (!WaitForBoxSaying(app, kInvalidData, 300))
            return false;
        AnswerBox(app, kInvalidData, IDOK, dlg);
        return true;
    }

    // Presses "Select folder to search in..." and picks the folder in the browser, or cancels it.
    void BrowseTo(const char *folder)
    {
        Click(Ctl(153));
        HWND browser = WaitForWindow(app, "#32770", "Browse for Folder");
        ASSERT_TRUE(browser != NULL) << "no folder browser";
        EXPECT_EQ(dlg, GetWindow(browser, GW_OWNER));
        EXPECT_EQ("Navigate to the folder you want to search in", WindowTextOf(GetDlgItem(browser, 14146)));
        AnswerFolderBrowser(app, browser, folder);
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
