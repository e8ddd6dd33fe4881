// Text and dialog sizes as on Windows at 96 DPI: the advanced dialog (system font, no font of its
// own) and the progress window ("MS Sans Serif" 8) come out at Windows' size and hold all their
// controls, and the main window's labels fit their text in "Times New Roman", measured with
// Liberation Serif's metrics as Windows' Times New Roman has them.
#include "send_helpers.h"

namespace {

using WindowsFontsTest = SorvaneTest;

// Checks that every control, shown or not, lies inside the dialog's client area; returns its size.
SIZE ClientHoldingItsControls(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND child : ChildWindows(dialog)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(NULL, dialog, reinterpret_cast<POINT *>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << GetDlgCtrlID(child);
    }
    return SIZE{client.right, client.bottom};
}

// The face the font maker gives for the name, and the text's width in it.
std::pair<std::string, LONG> Measure(const char *face, const std::string &text)
{
    HFONT font = CreateFontA(20, 0, 0, 0, 0, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    char got[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof got, got);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    DeleteObject(font);
    return {got, size.cx};
}

TEST_F(WindowsFontsTest, DialogsAndLabelsHaveWindowsSizes)
{
    // "Times New Roman" 20 italic has Liberation Serif's widths, and the Video label's text fits
    // its box with the check mark and the gap after it (less than 20 pixels).
    HWND video = ChildById(app.main, 114, 2);
    std::string text = WindowTextOf(video);
    auto serif = Measure("Liberation Serif", text), tnr = Measure("Times New Roman", text);
    ASSERT_EQ("Liberation Serif", serif.first) << "the metrics to compare with are missing";
    EXPECT_EQ("Times New Roman", tnr.first);
    EXPECT_EQ(serif.second, tnr.second);
    RECT box;
    GetWindowRect(video, &box);
    EXPECT_LE(tnr.second + 20, box.right - box.left) << text;

    // The advanced dialog: 430 x 250 units of the system font's 8 x 16.
    Click(ChildById(app.main, 126));
    HWND advanced = WaitForWindow(app, "#32770", "Advances Search Settings");
    ASSERT_TRUE(advanced != NULL) << "the advanced dialog did not open";
    SIZE size = ClientHoldingItsControls(advanced);
    EXPECT_EQ(860, size.cx);
    EXPECT_EQ(500, size.cy);
    Answer(advanced, 152);  // Cancel
    ASSERT_TRUE(WaitGone(advanced));

    // The progress window: 340 x 170 units of "MS Sans Serif" 8's 6 x 13.
    MakeFile("D:\\movie.mp4", 1ull << 30);
    ASSERT_EQ(1u, SearchDriveD(app).size());
    SelectLine(app, 0);
    Throttle throttle;
    HWND progress = throttle.Send(app, false);
    ASSERT_TRUE(progress != NULL);
    size = ClientHoldingItsControls(progress);
    EXPECT_EQ(510, size.cx);
    EXPECT_EQ(276, size.cy);
    throttle.End();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 30000));
}

}  // namespace
