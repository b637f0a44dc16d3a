#include "scenes/StorySave.h"

#include <string>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "graphics/Boxes.h"
#include "project/cSaveData.h"

bool IsStorySlot(int nSlot)
{
    return nSlot >= 0 && nSlot < static_cast<int>(SaveSlotList.size());
}

int SaveStorySlot(int nSlot)
{
    if (!IsStorySlot(nSlot)) {
        ReportLog("Save refused : no slot (%d)", nSlot);
        return 0;
    }
    if (SaveData.SaveSlot(nSlot)) {
        return 1;
    }
    std::string path;
    SaveSlotFileName(path, nSlot);
    static const std::string kFormat = Sjis("「%s」の書き込みに失敗しました！");
    ErrorBoxF(kFormat.c_str(), path.c_str());
    return 0;
}
