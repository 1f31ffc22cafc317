// Movable global memory blocks, the form the clipboard and the COM streams take their bytes in.
#pragma once

#include <cstring>

#include <windows.h>

// A new movable block holding a copy of size bytes from bytes; null when it cannot be made. The caller
// owns it (until it hands it to the clipboard or a stream that takes it over).
inline HGLOBAL AfxCopyToGlobal(const void* bytes, SIZE_T size) {
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return nullptr;
    void* to = ::GlobalLock(block);
    if (!to) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(to, bytes, size);
    ::GlobalUnlock(block);
    return block;
}
