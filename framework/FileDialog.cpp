// The common item file dialog behind CFileDialog.
#include "framework/FileDialog.h"

#include <shobjidl.h>
#include <shlwapi.h>

#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {

// Releases a COM interface at the end of the scope.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() {
        if (m_p) m_p->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// COM on this thread for as long as the dialog is shown; balanced whatever the thread had before.
class ComScope {
public:
    ComScope() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComScope() {
        if (SUCCEEDED(m_hr)) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_hr;
};

}  // namespace

std::vector<std::pair<std::wstring, std::wstring>> ParseFileFilter(const std::wstring& filter) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start < filter.size()) {
        const size_t bar = filter.find(L'|', start);
        const size_t end = bar == std::wstring::npos ? filter.size() : bar;
        if (end == start) break;  // "||" ends the list
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const wchar_t* pszDefExt, const wchar_t* pszFileName, DWORD dwFlags,
                         const wchar_t* pszFilter, CWnd* pParentWnd)
    : m_bOpen(bOpenFileDialog),
      m_strDefExt(pszDefExt ? pszDefExt : L""),
      m_strFileName(pszFileName ? pszFileName : L""),
      m_dwFlags(dwFlags),
      m_filters(ParseFileFilter(pszFilter ? pszFilter : L"")),
      m_pParentWnd(pParentWnd) {}

INT_PTR CFileDialog::DoModal() {
    ComScope com;
    ComPtr<IFileDialog> dialog;
    const CLSID clsid = m_bOpen ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IFileDialog,
                                  reinterpret_cast<void**>(&dialog)))) {
        return IDCANCEL;
    }

    std::vector<COMDLG_FILTERSPEC> specs;
    for (const auto& f : m_filters) specs.push_back({f.first.c_str(), f.second.c_str()});
    if (!specs.empty()) {
        dialog->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
        dialog->SetFileTypeIndex(1);
    }
    if (!m_strDefExt.empty()) dialog->SetDefaultExtension(m_strDefExt.c_str());
    if (!m_strFileName.empty()) dialog->SetFileName(m_strFileName.c_str());
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    options |= FOS_FORCEFILESYSTEM;
    if (m_dwFlags & OFN_OVERWRITEPROMPT) options |= FOS_OVERWRITEPROMPT;
    dialog->SetOptions(options);

    if (FAILED(dialog->Show(AfxOwnerWindow(m_pParentWnd)))) return IDCANCEL;

    ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(&item))) return IDCANCEL;
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path))) return IDCANCEL;
    m_strPath = path;
    ::CoTaskMemFree(path);
    return IDOK;
}

std::wstring CFileDialog::GetFileExt() const {
    const wchar_t* ext = ::PathFindExtensionW(m_strPath.c_str());
    return (ext && *ext == L'.') ? std::wstring(ext + 1) : std::wstring();
}
