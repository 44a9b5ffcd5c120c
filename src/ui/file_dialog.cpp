#include "ui/file_dialog.h"

#include "platform/ui.h"
#include "ui/wide_text.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace lumivel {

namespace {

// Long enough for the longest path Windows allows (32767 characters and the terminator),
// so a chosen path is never cut.
constexpr DWORD kPathBufferLength = 32768;

// The dialog's filter list: every '|' becomes a terminating zero, and the list ends with two zeros.
std::wstring filterList(std::string_view filter) {
    std::wstring list = wideFromText(filter);
    std::replace(list.begin(), list.end(), L'|', L'\0');
    list.push_back(L'\0');
    list.push_back(L'\0');
    return list;
}

} // namespace

std::string FileDialog::chooseFile(HWND owner, std::string_view filter, std::string_view initialFolder,
                                   std::string_view title) {
    std::wstring filters = filterList(filter);
    std::wstring folder = wideFromText(initialFolder);
    std::wstring caption = wideFromText(title);

    std::vector<wchar_t> path(kPathBufferLength, L'\0');
    // The dialog reports a buffer that is too small with the length it needs; the user is
    // then asked once more, with room for that length.
    for (int attempt = 0; attempt < 2; ++attempt) {
        OPENFILENAMEW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter.empty() ? nullptr : filters.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = path.data();
        dialog.nMaxFile = static_cast<DWORD>(path.size());
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
        // One file, which need not exist; no extension is added. The working folder is
        // kept, and the read-only box, which means nothing here, is hidden.
        dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

        if (GetOpenFileNameW(&dialog))
            return textFromWide(std::wstring_view(path.data(), wcsnlen(path.data(), path.size())));
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL)
            break;
        // The needed length, in characters, is in the first two bytes of the buffer.
        DWORD needed = *reinterpret_cast<const WORD*>(path.data());
        if (needed <= path.size())
            break;
        path.assign(needed + 1, L'\0');
    }
    return std::string(kNothingChosen);
}

} // namespace lumivel
