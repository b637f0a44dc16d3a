#include "core/CheckedAccess.h"

#include <string>

#include "core/FailureClose.h"
#include "core/FileReadScope.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"

void ReportBadIndex(char cKind, int nIndex, std::size_t nSize, std::size_t nElementSize)
{
    std::string message;
    FormatString(message, "err %c[%d] ( %d , %d )", cKind, nIndex, static_cast<int>(nSize),
                 static_cast<int>(nElementSize));
    ECLog(message.c_str());
    ReportLog("%s", message.c_str());
    // Inside a FileReadScope the file being read is damaged, not the program: its reader decides.
    if (FileReadScope::CountBadIndex()) {
        return;
    }
    CloseForFailure();
}
