// The version the program's file tells Windows, read the way Explorer's properties read it. This test
// binary links the program's own resource script, so it reads its own file.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<BYTE> OwnVersionBlock() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n == MAX_PATH) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data())) return {};
    return block;
}

TEST(VersionInfo, TheFileNamesTheProgramAndVersionOneInChinese) {
    std::vector<BYTE> block = OwnVersionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource";

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    ASSERT_GE(len, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    // 1.0.0.0: the major version in the high word of the most significant half.
    EXPECT_EQ(fixed->dwFileVersionMS, 1u << 16);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 1u << 16);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    // The strings are looked up through the language the file declares, as a reader does: a block of
    // strings under another language would be there and still never shown.
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
    ASSERT_GE(len, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    EXPECT_EQ(translation[1], 1200) << "Unicode strings";
    wchar_t prefix[64];
    wsprintfW(prefix, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);

    struct Case { const char* name; const wchar_t* value; } cases[] = {
        {"ProductName", L"Corvane"},
        {"FileDescription", L"Corvane 截图与标注"},
        {"FileVersion", L"1.0.0.0"},
        {"ProductVersion", L"1.0.0.0"},
    };
    for (const Case& c : cases) {
        wchar_t* value = nullptr;
        const std::string name = c.name;
        const std::wstring key = prefix + std::wstring(name.begin(), name.end());
        const bool found = VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) && value;
        ASSERT_TRUE(found) << c.name;
        EXPECT_EQ(std::wstring(value), std::wstring(c.value)) << c.name;
    }
}

}  // namespace
