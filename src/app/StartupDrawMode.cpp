#include "app/StartupDrawMode.h"

#include "app/cBootData.h"
#include "app/cBootDialog.h"
#include "core/UserFiles.h"

bool ChooseStartDrawMode(SYSTEMINI& ini, POINT mainWindowPos)
{
    if (ini.Direct3D < 2) {
        return true;
    }
    // A missing file leaves the values as they are; a damaged one is set aside and leaves them
    // too.
    cBootData stored(BootData);
    if (ReadUserFile(stored, "user_data\\Boot.dat") == UserFileRead::kRead) {
        BootData = stored;
    }
    if (BootData.bNoDialog == 0) {
        cBootDialog dialog(mainWindowPos);
        if (dialog.DoModal(0) == 0) {
            return false;
        }
    }
    ini.Direct3D = BootData.nDrawMode == 1 ? 1 : 0;
    return true;
}
