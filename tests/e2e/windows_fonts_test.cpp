// Text and dialog sizes as on Windows at 96 DPI: the advanced dialog (system font, no font of its
// own) and the progress window ("MS Sans Serif" 8) come out at Windows' size and hold all their
// controls, and "Times New Roman" measures as Times New Roman does (Liberation Serif's metrics).
#include "send_helpers.h"

namespace {

using WindowsFontsTest = SorvaneTest;

// Checks that every control, shown or not, lies inside the dialog's client area; returns its size.
SIZE ClientHoldingItsControls(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    for (HWND child : ChildWindows(dialog)) {
        ControlInfo c = ReadControl(child);
        SCOPED_TRACE(c.id);
        EXPECT_GE(c.rect.left, 0);
        EXPECT_GE(c.rect.top, 0);
        EXPECT_LE(c.rect.right, client.right);
        EXPECT_LE(c.rect.bottom, client.bottom);
    }
    return SIZE{client.right, client.bottom};
}

struct TextMeasure {
    std::string face;
    int family;   // FF_ROMAN, FF_SWISS ...
    LONG width;
};

TextMeasure Measure(const char *face, int height, bool italic, const std::string &text,
                    BYTE charset = DEFAULT_CHARSET)
{
    HFONT font = CreateFontA(height, 0, 0, 0, 0, italic, 0, 0, charset, 0, 0, 0, 0, face);
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font);
    char got[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof got, got);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    DeleteObject(font);
    return TextMeasure{got, tm.tmPitchAndFamily & 0xF0, size.cx};
}

TEST_F(WindowsFontsTest, DialogsHaveWindowsSizesAndTimesNewRomanItsMetrics)
{
    // The main window's labels: "Times New Roman" 20 italic, in any letter case, is a serif face
    // with Liberation Serif's widths, and the Video label's text fits its box.
    ControlInfo label = ReadControl(ChildById(app.main, 114, 2));
    ASSERT_EQ(0u, label.text.rfind("Video: ", 0)) << label.text;
    TextMeasure serif = Measure("Liberation Serif", 20, true, label.text);
    ASSERT_EQ("Liberation Serif", serif.face) << "the metrics to compare with are missing";
    for (const char *face : {"Times New Roman", "times NEW roman"}) {
        TextMeasure tnr = Measure(face, 20, true, label.text);
        SCOPED_TRACE(face);
        EXPECT_EQ("Times New Roman", tnr.face);
        EXPECT_EQ(FF_ROMAN, tnr.family);
        EXPECT_EQ(serif.width, tnr.width);
    }
    // A check box's mark and the gap after it take less than 20 pixels.
    LONG width = Measure("Times New Roman", 20, true, label.text).width;
    EXPECT_LE(width + 20, label.rect.right - label.rect.left) << width;

    // The caption buttons' symbols.
    EXPECT_EQ("Marlett", Measure("Marlett", -13, false, "", SYMBOL_CHARSET).face);

    // The advanced dialog: 430 x 250 units of the system font's 8 x 16.
    Click(ChildById(app.main, 126));
    HWND advanced = WaitForWindow(app, "#32770", "Advances Search Settings");
    ASSERT_TRUE(advanced != NULL) << "the advanced dialog did not open";
    EXPECT_EQ(18u, ChildWindows(advanced).size());
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
    EXPECT_EQ(5u, ChildWindows(progress).size());
    size = ClientHoldingItsControls(progress);
    EXPECT_EQ(510, size.cx);
    EXPECT_EQ(276, size.cy);
    throttle.End();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 30000));
}

}  // namespace
