#include "app/StartupDrawMode.h"

#include "app/cBootData.h"
#include "app/cBootDialog.h"

bool ChooseStartDrawMode(SYSTEMINI& ini, POINT mainWindowPos)
{
    if (ini.Direct3D < 2) {
        return true;
    }
    // A missing or unreadable file leaves the values as they are.
    BootData.LoadFile("user_data\\Boot.dat");
    if (BootData.bNoDialog == 0) {
        cBootDialog dialog(mainWindowPos);
        if (dialog.DoModal(0) == 0) {
            return false;
        }
    }
    ini.Direct3D = BootData.nDrawMode == 1 ? 1 : 0;
    return true;
}
