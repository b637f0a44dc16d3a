// A picture of the Picture database; the picture command shows strFileName.
#pragma once

#include "project/cDbMediaEntry.h"

class cDbPicture : public cDbMediaEntry {
public:
    cDbPicture() = default;
    cDbPicture(const cDbPicture&) = default;
    cDbPicture& operator=(const cDbPicture&) = default;
};
