// A sword of the SwordType database: its bitmaps for both facings and the frames of one swing.
//
// Entry in a file: raw members (nReserved from version 151), the strings strName, strFileName,
// strFileNameLeft, then the frame list (int32 count, frames).
#pragma once

#include <cstdint>
#include <string>

#include "core/cDataRecord.h"
#include "core/cVector.h"
#include "project/cDbSwordFrame.h"

class cDbSwordType : public cDataRecord {
public:
    std::string strName;
    std::int32_t nReserved = 0;   // stored only; 0 after reading a file older than version 153
    std::string strFileName;      // bitmap of the sword facing right
    std::string strFileNameLeft;  // bitmap of the sword facing left
    cVector<cDbSwordFrame> FrameList;

    // The default sword type (SetDefault).
    cDbSwordType();
    cDbSwordType(const cDbSwordType&) = default;
    cDbSwordType& operator=(const cDbSwordType&) = default;

    void RegisterMembers(int nVersion) override;
    // The base part, the frame list (emptied and refilled with default frames before each is
    // read), then nReserved = 0 for files older than version 153. 0 when the data do not fit.
    int Load(FILE* fp) override;
    // The 720 layout: base part, frame count, frames.
    int Save(FILE* fp) override;

    // Clears the registered members and leaves exactly one default frame, with nTime 1.
    void SetDefault();

    // Smallest size of an entry in a file: its two counts and the frame count.
    static constexpr std::size_t kMinFileBytes = 12;
};
