// Loading the blend table.
#include "graphics/BlendTable.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "graphics/BackEnd.h"
#include "platform/win/Files.h"

BYTE BlendTable[kBlendTableBytes];

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

BOOL DDLoadBlendTable(BYTE* pTable, const char* pszFileName)
{
    if (lpDTCon) return TRUE;
    if (pTable == nullptr || pszFileName == nullptr) return FALSE;
    std::unique_ptr<FILE, FileCloser> file(FOpen(pszFileName, "rb"));
    if (!file) return FALSE;
    // Read into a scratch copy: a short file is no table and must not leave a half-new one.
    auto scratch = std::make_unique<BYTE[]>(kBlendTableBytes);
    const size_t nRead = std::fread(scratch.get(), 1, kBlendTableBytes, file.get());
    if (nRead != static_cast<size_t>(kBlendTableBytes)) return FALSE;
    std::memcpy(pTable, scratch.get(), kBlendTableBytes);
    return TRUE;
}
