#include "platform/win/CommonDialogs.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win/FileChooserDriver.h"

namespace {

// The first (description, patterns) pair of a double-NUL ended filter list.
void ReadFilter(const char* filter, FileChooserRequest& request)
{
    if (filter == nullptr || *filter == '\0') {
        return;
    }
    request.filterName = filter;
    const char* patterns = filter + std::strlen(filter) + 1;
    std::string list = patterns;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        std::string pattern = list.substr(start, end - start);
        const std::size_t first = pattern.find_first_not_of(' ');
        if (first != std::string::npos) {
            request.patterns.push_back(pattern.substr(first, pattern.find_last_not_of(' ') - first + 1));
        }
        start = end + 1;
    }
}

BOOL RunCommonDialog(OPENFILENAMEA* lpofn, bool bSave)
{
    if (lpofn == nullptr || lpofn->lpstrFile == nullptr || lpofn->nMaxFile == 0) {
        return FALSE;
    }
    FileChooserRequest request;
    request.bSave = bSave;
    request.initialFolder = lpofn->lpstrInitialDir != nullptr ? lpofn->lpstrInitialDir : "";
    request.title = lpofn->lpstrTitle != nullptr ? lpofn->lpstrTitle : "";
    ReadFilter(lpofn->lpstrFilter, request);
    request.defaultExt = lpofn->lpstrDefExt != nullptr ? lpofn->lpstrDefExt : "";
    // A default extension that is itself a pattern ("stg4_*;rpl4_*") names no file: none.
    if (request.defaultExt.find_first_of("*?;") != std::string::npos) {
        request.defaultExt.clear();
    }
    request.proposedName.assign(lpofn->lpstrFile, strnlen(lpofn->lpstrFile, lpofn->nMaxFile));
    request.bFileMustExist = (lpofn->Flags & OFN_FILEMUSTEXIST) != 0;
    request.bOverwritePrompt = (lpofn->Flags & OFN_OVERWRITEPROMPT) != 0;

    FileChooser chooser(request);
    lpofn->lpstrFile[0] = '\0';
    if (!RunFileChooser(chooser) || chooser.Path().size() + 1 > lpofn->nMaxFile) {
        return FALSE;
    }
    std::memcpy(lpofn->lpstrFile, chooser.Path().c_str(), chooser.Path().size() + 1);
    return TRUE;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn)
{
    return RunCommonDialog(lpofn, false);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn)
{
    return RunCommonDialog(lpofn, true);
}
