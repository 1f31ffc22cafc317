// What a capture ends with: the result image cut from the view, handed to the clipboard or written to a
// file the user names. Functions of the picture and the rectangle; they know nothing of the capture window.
#pragma once

#include <functional>
#include <string>

#include "framework/Afx.h"

namespace output {

// The result image: the view's pixels inside rcSel without the bands of its frame, in a bitmap made like
// pReference's, with drawOver drawing over it (a DC whose pixel (0, 0) shows the view's point origin).
// False, and *pResult empty, when the selection leaves no pixel.
bool MakeResultImage(CBitmap* pResult, CDC* pReference, CDC* pView, const RECT& rcSel,
                     const std::function<void(CDC*, POINT origin)>& drawOver);

// Puts the image on the clipboard for owner. True when it is there: the bitmap then belongs to the system
// (*pImage is left empty). False when another program holds the clipboard.
bool PlaceOnClipboard(CBitmap* pImage, HWND owner);

// Puts text on the clipboard for owner (as Unicode text); false when another program holds the clipboard
// or the text cannot be placed.
bool PlaceTextOnClipboard(const std::wstring& text, HWND owner);

// Writes the image to path in the format its extension names; S_OK or the reason it failed.
HRESULT WriteImageFile(const CBitmap& image, const std::wstring& path, const std::wstring& ext);

// Asks for a file name in the save dialog and writes the image there. A failure is told in a message box
// over owner, and the user can try again. True when a file was written.
bool SaveWithDialog(const CBitmap& image, HWND owner);

}  // namespace output
