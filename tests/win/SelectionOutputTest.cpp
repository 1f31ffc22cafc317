// Selecting a region with real mouse messages, and the output it produces: the view's frame and label,
// the result image, the clipboard and the image files.
#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "capture/CorvaneDlg.h"
#include "output/Output.h"
#include "tests/win/CaptureFixture.h"
#include "tests/win/TestDesktop.h"

using testdesk::Dimmed;
using testdesk::PatternAt;

namespace {

constexpr COLORREF kFrame = 0x00F5B712;

// Every pixel of an image equals the picture at the crop's origin plus its position.
void ExpectPictureAt(const std::vector<COLORREF>& px, int cx, int cy, POINT origin, int tolerance = 0) {
    int mismatches = 0;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const COLORREF got = px[static_cast<size_t>(y) * cx + x];
            const COLORREF want = PatternAt(origin.x + x, origin.y + y);
            const bool close = abs(GetRValue(got) - GetRValue(want)) <= tolerance &&
                               abs(GetGValue(got) - GetGValue(want)) <= tolerance &&
                               abs(GetBValue(got) - GetBValue(want)) <= tolerance;
            if (!close && ++mismatches <= 3) ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << got << " not " << want;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

// A lossy image, judged by the mean of each whole 16 x 16 block, the JPEG encoder's unit of colour
// sampling: in this busy picture single pixels come back off by over 100 levels and block means within
// two, while the picture one pixel off misses some block's mean by over 10.
void ExpectBlockMeansNear(const std::vector<COLORREF>& px, int cx, int cy, POINT origin, int tolerance) {
    constexpr int kBlock = 16;
    int blocks = 0, mismatches = 0;
    for (int by = 0; by + kBlock <= cy; by += kBlock) {
        for (int bx = 0; bx + kBlock <= cx; bx += kBlock) {
            int got[3] = {}, want[3] = {};
            for (int y = by; y < by + kBlock; ++y) {
                for (int x = bx; x < bx + kBlock; ++x) {
                    const COLORREF g = px[static_cast<size_t>(y) * cx + x];
                    const COLORREF w = PatternAt(origin.x + x, origin.y + y);
                    got[0] += GetRValue(g), got[1] += GetGValue(g), got[2] += GetBValue(g);
                    want[0] += GetRValue(w), want[1] += GetGValue(w), want[2] += GetBValue(w);
                }
            }
            ++blocks;
            for (int k = 0; k < 3; ++k) {
                if (abs(got[k] - want[k]) <= tolerance * kBlock * kBlock) continue;
                if (++mismatches <= 3) {
                    ADD_FAILURE() << "block at " << bx << "," << by << ", channel " << k << ": mean "
                                  << got[k] / (kBlock * kBlock) << " not " << want[k] / (kBlock * kBlock);
                }
            }
        }
    }
    EXPECT_GT(blocks, 0);
    EXPECT_EQ(mismatches, 0);
}

class Selecting : public CaptureTest {
protected:
    // A left drag through the given points, released at the last one.
    void Drag(std::vector<POINT> path, UINT moveFlags = MK_LBUTTON) {
        Send(WM_LBUTTONDOWN, MK_LBUTTON, path.front().x, path.front().y);
        for (size_t i = 1; i < path.size(); ++i) Send(WM_MOUSEMOVE, moveFlags, path[i].x, path[i].y);
        Send(WM_LBUTTONUP, 0, path.back().x, path.back().y);
    }
    void ExpectPhase(bool detect, bool newSel, bool has, bool tracking, const char* name) {
        EXPECT_EQ(dlg->Phase().Detecting(), detect) << name;
        EXPECT_EQ(dlg->Phase().NewRegion(), newSel) << name;
        EXPECT_EQ(dlg->Phase().FixedRegion(), has) << name;
        EXPECT_EQ(dlg->GetSelection().Tracking(), tracking) << name;
    }
};

TEST_F(Selecting, DraggingOutARegionFixesItsRectangle) {
    struct Case { const char* name; std::vector<POINT> path; RECT rect; bool fixed; } cases[] = {
        {"top-left to bottom-right", {{100, 100}, {250, 180}, {400, 300}}, {100, 100, 400, 300}, true},
        {"bottom-right to top-left", {{400, 300}, {250, 180}, {100, 100}}, {100, 100, 400, 300}, true},
        {"a line released where it was drawn", {{100, 100}, {300, 100}}, {100, 100, 300, 100}, true},
    };
    for (const Case& c : cases) {
        dlg->ResetCapture();
        Drag(c.path);
        EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), c.rect)) << c.name;
        ExpectPhase(false, !c.fixed, c.fixed, false, c.name);
    }
}

TEST_F(Selecting, MovesWithModifierKeysOrOtherButtonsStretchNothing) {
    for (UINT flags : {UINT(MK_LBUTTON | MK_CONTROL), UINT(MK_LBUTTON | MK_SHIFT), UINT(MK_LBUTTON | MK_RBUTTON)}) {
        dlg->ResetCapture();
        Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
        Send(WM_MOUSEMOVE, MK_LBUTTON, 200, 150);
        Send(WM_MOUSEMOVE, flags, 400, 300);
        EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{100, 100, 200, 150})) << flags;
        EXPECT_TRUE(rect::SamePoint(dlg->GetSelection().NewEnd(), POINT{200, 150})) << flags;
        // Released away from the band's last point, a real rectangle is still fixed.
        Send(WM_LBUTTONUP, 0, 400, 300);
        ExpectPhase(false, false, true, false, "after release");
    }
}

TEST_F(Selecting, AClickWithoutADragPicksTheWindowUnderIt) {
    // Only the full-screen picture is on this desktop, and a window covering the screen is never
    // offered: the click picks the desktop, kept one pixel inside at the left and bottom.
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
    Send(WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 300, 300);  // not a drag: the band does not move
    Send(WM_LBUTTONUP, 0, 300, 300);
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{1, 0, cx, cy - 1}));
    ExpectPhase(false, false, true, false, "selected");
}

TEST_F(Selecting, RightPressesOutsideHoldThenStartOver) {
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 500, 500);
    ExpectPhase(true, false, true, false, "held");
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 500, 500);
    ExpectPhase(true, true, false, false, "detecting again");

    Drag({{100, 100}, {400, 300}});
    Send(WM_RBUTTONDOWN, MK_RBUTTON, 600, 500);
    ExpectPhase(true, true, false, false, "a fixed selection is thrown away");
    EXPECT_TRUE(rect::IsAllZero(dlg->GetSelection().Rect()));
}

TEST_F(Selecting, BodyDragMovesAndHandlesResize) {
    struct Case { const char* name; POINT press; std::vector<POINT> moves; RECT rect; } cases[] = {
        {"body moves", {200, 200}, {{230, 210}, {250, 220}}, {150, 120, 450, 320}},
        {"body stops at 2 on the left and top", {200, 200}, {{0, 0}}, {2, 2, 302, 202}},
        {"body stops at the view's right and bottom", {200, 200}, {{5000, 5000}}, {0, 0, 0, 0}},
        {"bottom-right corner", {400, 300}, {{500, 350}}, {100, 100, 500, 350}},
        {"right edge keeps the height", {399, 200}, {{450, 260}}, {100, 100, 450, 300}},
        {"left edge dragged past the right flips", {101, 200}, {{500, 150}}, {400, 100, 500, 300}},
        {"top-left corner outside the frame", {99, 99}, {{50, 60}}, {50, 60, 400, 300}},
    };
    const LONG cx = dlg->GetView().Width(), cy = dlg->GetView().Height();
    cases[2].rect = RECT{cx - 300, cy - 200, cx, cy};
    for (const Case& c : cases) {
        dlg->ResetCapture();
        Drag({{100, 100}, {400, 300}});
        Send(WM_LBUTTONDOWN, MK_LBUTTON, c.press.x, c.press.y);
        EXPECT_TRUE(dlg->GetSelection().Tracking()) << c.name;
        for (POINT p : c.moves) Send(WM_MOUSEMOVE, MK_LBUTTON, p.x, p.y);
        Send(WM_LBUTTONUP, 0, c.moves.back().x, c.moves.back().y);
        EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), c.rect))
            << c.name << ": " << dlg->GetSelection().Rect().left << "," << dlg->GetSelection().Rect().top << ","
            << dlg->GetSelection().Rect().right << "," << dlg->GetSelection().Rect().bottom;
        ExpectPhase(false, false, true, false, c.name);
    }
}

TEST_F(Selecting, TheViewShowsFrameHandlesAndAnUnboxedLabel) {
    Drag({{100, 100}, {400, 300}});
    auto view = [&](int x, int y) { return GetPixel(dlg->GetView().Buffer(), x, y); };
    EXPECT_EQ(view(100, 200), kFrame);        // left edge line
    EXPECT_EQ(view(250, 100), kFrame);        // top edge line
    EXPECT_EQ(view(248, 98), kFrame);         // corner of the top-middle handle, outside the frame
    EXPECT_EQ(view(98, 98), kFrame);          // corner of the top-left handle
    EXPECT_EQ(view(110, 200), PatternAt(110, 200));
    EXPECT_EQ(view(95, 200), Dimmed(PatternAt(95, 200)));
    // The label "  295x195  " sits in (105, 80)-(200, 100) in white, with nothing painted behind it:
    // glyph pixels are white or lighter than the dimmed picture (smoothed edges), and the box's top
    // row, which the vertically centred text does not reach, is the dimmed picture. (Rows 99 and 100
    // carry the frame's top edge.)
    int white = 0;
    for (int y = 80; y < 99; ++y) {
        for (int x = 105; x < 200; ++x) {
            const COLORREF c = view(x, y), bg = Dimmed(PatternAt(x, y));
            if (c == 0x00FFFFFF) ++white;
            ASSERT_TRUE(GetRValue(c) >= GetRValue(bg) && GetGValue(c) >= GetGValue(bg) && GetBValue(c) >= GetBValue(bg))
                << x << "," << y;
        }
    }
    EXPECT_GT(white, 20);
    for (int x = 105; x < 200; ++x) {
        EXPECT_EQ(view(x, 80), Dimmed(PatternAt(x, 80))) << x;
    }
}

TEST_F(Selecting, TheResultImageIsTheFrozenPictureInsideTheFrame) {
    Drag({{100, 100}, {400, 300}});
    dlg->BuildResultImage();
    int cx = 0, cy = 0;
    const std::vector<COLORREF> px = ReadBitmap(dlg->ResultImage(), &cx, &cy);
    EXPECT_EQ(cx, 295);
    EXPECT_EQ(cy, 195);
    ExpectPictureAt(px, cx, cy, POINT{102, 102});
    // A second preparation replaces the first.
    HGDIOBJ first = dlg->ResultImage().GetSafeHandle();
    dlg->BuildResultImage();
    EXPECT_NE(dlg->ResultImage().GetSafeHandle(), nullptr);
    BITMAP bm;
    EXPECT_EQ(GetObjectW(first, sizeof(bm), &bm), 0) << "the earlier result image is released";
}

TEST_F(Selecting, ResultImagesOfTinySelectionsAreEmpty) {
    struct Case { const char* name; std::vector<POINT> path; } cases[] = {
        {"5 pixels wide", {{100, 100}, {105, 300}}}, {"5 pixels high", {{100, 100}, {300, 105}}}};
    for (const Case& c : cases) {
        dlg->ResetCapture();
        Drag(c.path);
        dlg->BuildResultImage();
        EXPECT_EQ(dlg->ResultImage().GetSafeHandle(), nullptr) << c.name;
    }
}

// Puts a text on the clipboard, so that a test can tell whether it was touched.
void PutClipboardText(const wchar_t* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(mem), text, bytes);
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
}

TEST_F(Selecting, DoubleClickInsideCopiesTheResultAndEndsTheCapture) {
    PutClipboardText(L"before");
    Drag({{100, 100}, {400, 300}});
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 200, 200);
    EXPECT_EQ(TakeQuitCode(), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    HBITMAP hbm = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(hbm, nullptr);
    int cx = 0, cy = 0;
    const std::vector<COLORREF> px = ReadBitmap(hbm, &cx, &cy);
    CloseClipboard();
    EXPECT_EQ(cx, 295);
    EXPECT_EQ(cy, 195);
    ExpectPictureAt(px, cx, cy, POINT{102, 102});
    EXPECT_EQ(dlg->ResultImage().GetSafeHandle(), nullptr) << "the bitmap now belongs to the clipboard";
}

TEST_F(Selecting, NothingIsCopiedWhenThereIsNothingToCopy) {
    struct Case { const char* name; std::vector<POINT> path; POINT click; } cases[] = {
        {"double-click outside", {{100, 100}, {400, 300}}, {500, 500}},
        {"selection of 5 by 5", {{100, 100}, {105, 105}}, {102, 102}},
    };
    for (const Case& c : cases) {
        PutClipboardText(L"keep me");
        dlg->ResetCapture();
        Drag(c.path);
        Send(WM_LBUTTONDBLCLK, MK_LBUTTON, c.click.x, c.click.y);
        EXPECT_EQ(TakeQuitCode(), -1) << c.name;
        EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT)) << c.name;
        EXPECT_TRUE(dlg->Phase().FixedRegion()) << c.name;
    }
}

TEST_F(Selecting, ABusyClipboardLeavesTheCaptureOpen) {
    PutClipboardText(L"held");
    std::atomic<int> stage{0};
    std::thread holder([&] {
        OpenClipboard(nullptr);
        stage = 1;
        while (stage != 2) Sleep(5);
        CloseClipboard();
    });
    while (stage != 1) Sleep(5);
    Drag({{100, 100}, {400, 300}});
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 200, 200);
    stage = 2;
    holder.join();
    EXPECT_EQ(TakeQuitCode(), -1);
    EXPECT_TRUE(dlg->Phase().FixedRegion());
    EXPECT_TRUE(rect::Equal(dlg->GetSelection().Rect(), RECT{100, 100, 400, 300}));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    // Trying again once the clipboard is free works.
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 200, 200);
    EXPECT_EQ(TakeQuitCode(), 0);
}

// Decodes an image file with GDI+ into COLORREFs, top row first.
std::vector<COLORREF> DecodeFile(const std::wstring& path, int* cx, int* cy) {
    Gdiplus::Bitmap bitmap(path.c_str());
    *cx = static_cast<int>(bitmap.GetWidth());
    *cy = static_cast<int>(bitmap.GetHeight());
    std::vector<COLORREF> out;
    for (int y = 0; y < *cy; ++y) {
        for (int x = 0; x < *cx; ++x) {
            Gdiplus::Color c;
            bitmap.GetPixel(x, y, &c);
            out.push_back(RGB(c.GetR(), c.GetG(), c.GetB()));
        }
    }
    return out;
}

// Decodes image bytes with GDI+ into COLORREFs, top row first; 0 x 0 when they are no image.
std::vector<COLORREF> DecodeBytes(const std::string& bytes, int* cx, int* cy) {
    *cx = *cy = 0;
    std::vector<COLORREF> out;
    IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    if (!stream) return out;
    {
        Gdiplus::Bitmap bitmap(stream);
        if (bitmap.GetLastStatus() == Gdiplus::Ok) {
            *cx = static_cast<int>(bitmap.GetWidth());
            *cy = static_cast<int>(bitmap.GetHeight());
            for (int y = 0; y < *cy; ++y) {
                for (int x = 0; x < *cx; ++x) {
                    Gdiplus::Color c;
                    bitmap.GetPixel(x, y, &c);
                    out.push_back(RGB(c.GetR(), c.GetG(), c.GetB()));
                }
            }
        }
    }
    stream->Release();
    return out;
}

TEST_F(Selecting, ACopyPutsTheSamePixelsAsPngBesideTheBitmap) {
    PutClipboardText(L"before");
    // Odd sizes, so that no row of either image happens to fill whole words.
    const RECT sel = {151, 120, 471, 333};
    Drag({{sel.left, sel.top}, {sel.right, sel.bottom}});
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 300, 200);
    EXPECT_EQ(TakeQuitCode(), 0);
    // The result leaves out the frame: two pixels at the left and top, three at the right and bottom.
    const int wantCx = sel.right - sel.left - 5, wantCy = sel.bottom - sel.top - 5;
    const POINT origin = {sel.left + 2, sel.top + 2};

    ASSERT_TRUE(OpenClipboard(nullptr));
    const UINT pngFormat = RegisterClipboardFormatW(L"PNG");
    std::string png;
    if (HANDLE h = GetClipboardData(pngFormat)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) png.assign(p, GlobalSize(h));
        GlobalUnlock(h);
    }
    int bmpCx = 0, bmpCy = 0;
    std::vector<COLORREF> bitmapPx;
    if (HBITMAP hbm = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) bitmapPx = ReadBitmap(hbm, &bmpCx, &bmpCy);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    CloseClipboard();

    ASSERT_GE(png.size(), 8u + 12u) << "no PNG on the clipboard";
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    // The block holds the file and nothing after it: it ends with the empty IEND chunk and its CRC.
    EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
    int cx = 0, cy = 0;
    const std::vector<COLORREF> px = DecodeBytes(png, &cx, &cy);
    ASSERT_EQ(cx, wantCx);
    ASSERT_EQ(cy, wantCy);
    ExpectPictureAt(px, cx, cy, origin);
    ASSERT_EQ(bmpCx, wantCx);
    ASSERT_EQ(bmpCy, wantCy);
    EXPECT_TRUE(px == bitmapPx) << "the PNG and the bitmap differ";
}

// Reads the first bytes of a file, to tell its format by its signature.
std::string FileStart(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buf[4] = {};
    DWORD got = 0;
    if (f != INVALID_HANDLE_VALUE) {
        ReadFile(f, buf, 4, &got, nullptr);
        CloseHandle(f);
    }
    return std::string(buf, got);
}

TEST_F(Selecting, ResultFilesFollowTheirExtension) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    Drag({{100, 100}, {400, 300}});
    dlg->BuildResultImage();
    struct Case { const wchar_t* name; const wchar_t* ext; const char* signature; bool lossy; } cases[] = {
        {L"corvane-shot.png", L"png", "\x89PNG", false},
        {L"corvane-shot.BMP", L"BMP", "BM", false},
        {L"corvane-shot.jpg", L"jpg", "\xFF\xD8\xFF", true},
        {L"corvane-shot.jpeg", L"jpeg", "\xFF\xD8\xFF", true},
        {L"corvane-shot.gif", L"gif", "\x89PNG", false},
        {L"corvane-shot", L"", "\x89PNG", false},
    };
    for (const Case& c : cases) {
        const std::wstring path = std::wstring(dir) + c.name;
        DeleteFileW(path.c_str());
        ASSERT_EQ(output::WriteImageFile(dlg->ResultImage(), path, c.ext), S_OK);
        EXPECT_EQ(FileStart(path).substr(0, strlen(c.signature)), c.signature);
        int cx = 0, cy = 0;
        const std::vector<COLORREF> px = DecodeFile(path, &cx, &cy);
        EXPECT_EQ(cx, 295);
        EXPECT_EQ(cy, 195);
        if (c.lossy) {
            ExpectBlockMeansNear(px, cx, cy, POINT{102, 102}, 4);
        } else {
            ExpectPictureAt(px, cx, cy, POINT{102, 102});
        }
        DeleteFileW(path.c_str());
    }
}

// The whole content of a file; empty when it cannot be read.
std::string FileBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return bytes;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof(buf), &got, nullptr) && got > 0) bytes.append(buf, got);
    CloseHandle(f);
    return bytes;
}

std::vector<std::wstring> FolderNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

TEST_F(Selecting, ReplacingAFileLeavesTheNewOrTheOldOneAndNothingElse) {
    Drag({{100, 100}, {400, 300}});
    dlg->BuildResultImage();
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    // A folder of this run's own, so that nothing left by an earlier run counts.
    const std::wstring folder = std::wstring(dir) + L"corvane-replace-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"shot.png";
    const std::string oldBytes = "the picture saved before";
    struct Case { const char* name; bool heldOpen; } cases[] = {
        {"a file nobody holds is replaced", false},
        {"a file another program holds open stays as it was", true},
    };
    for (const Case& c : cases) {
        HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(f, oldBytes.data(), static_cast<DWORD>(oldBytes.size()), &written, nullptr);
        CloseHandle(f);
        // A viewer reading the old picture, sharing it for reading and writing but not for deleting.
        HANDLE holder = c.heldOpen ? CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, 0, nullptr)
                                   : INVALID_HANDLE_VALUE;
        const HRESULT hr = output::WriteImageFile(dlg->ResultImage(), path, L"png");
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        if (c.heldOpen) {
            EXPECT_TRUE(FAILED(hr)) << c.name;
            EXPECT_EQ(HRESULT_FACILITY(hr), FACILITY_WIN32) << c.name << ": " << std::hex << hr;
            EXPECT_EQ(FileBytes(path), oldBytes) << c.name;
        } else {
            ASSERT_EQ(hr, S_OK) << c.name;
            int cx = 0, cy = 0;
            const std::vector<COLORREF> px = DecodeFile(path, &cx, &cy);
            ASSERT_EQ(cx, 295) << c.name;
            ASSERT_EQ(cy, 195) << c.name;
            ExpectPictureAt(px, cx, cy, POINT{102, 102});
        }
        EXPECT_EQ(FolderNames(folder), std::vector<std::wstring>{L"shot.png"}) << c.name;
    }
    for (const std::wstring& name : FolderNames(folder)) DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(Selecting, AFileThatCannotBeWrittenReportsWhy) {
    Drag({{100, 100}, {400, 300}});
    dlg->BuildResultImage();
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const std::wstring missingFolder = std::wstring(dir) + L"corvane-no-such-folder\\shot.png";
    EXPECT_EQ(output::WriteImageFile(dlg->ResultImage(), missingFolder, L"png"), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW(missingFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    // A file nobody can write, not even an administrator: the kernel's version text. The failure
    // carries the file system's own error, not the encoders' general one.
    const HRESULT hr = output::WriteImageFile(dlg->ResultImage(), L"Z:\\proc\\version", L"png");
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(HRESULT_FACILITY(hr), FACILITY_WIN32) << std::hex << hr;
}

}  // namespace
