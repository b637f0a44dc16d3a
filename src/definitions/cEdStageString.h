// cEdStageString: one text kept with a stage. The player keeps, copies and saves the texts of a
// stage but does not interpret them.
//
// In a file: the base part only (no raw member, the text as the one string).
#pragma once

#include <string>

#include "core/cDataRecord.h"

class cEdStageString : public cDataRecord {
public:
    std::string m_strText;  // Shift-JIS

    // An empty text, registered for the current data version.
    cEdStageString();

    // The text; the same in every version.
    void RegisterMembers(int nVersion) override;
};
