#include "definitions/DefinitionOwnPart.h"

#include "core/RecordFile.h"
#include "core/RecordReader.h"

int LoadTilePosition(FILE* fp, std::uint16_t& nX, std::uint16_t& nY)
{
    std::uint16_t xy[2] = {0, 0};
    if (!RecordReader(fp).Read(xy, sizeof(xy))) {
        return 0;
    }
    nX = xy[0];
    nY = xy[1];
    return 1;
}

int SaveTilePosition(FILE* fp, std::uint16_t nX, std::uint16_t nY)
{
    const std::uint16_t xy[2] = {nX, nY};
    return std::fwrite(xy, sizeof(xy), 1, fp) == 1 ? 1 : 0;
}

int LoadInheritFlags(FILE* fp, cVector<std::uint8_t>& flags, int nGroupCount)
{
    int n = 0;
    if (!ReadListCount(fp, n, 1)) {
        return 0;
    }
    cVector<std::uint8_t> read(static_cast<std::size_t>(n), 0);
    if (n > 0 && !RecordReader(fp).Read(read.data(), read.size())) {
        return 0;
    }
    if (static_cast<int>(read.size()) < nGroupCount) {
        read.resize(static_cast<std::size_t>(nGroupCount), 0);
    }
    flags = std::move(read);
    return 1;
}

int SaveInheritFlags(FILE* fp, const cVector<std::uint8_t>& flags)
{
    int ok = WriteInt32(fp, static_cast<std::int32_t>(flags.size())) ? 1 : 0;
    if (!flags.empty() && std::fwrite(flags.data(), 1, flags.size(), fp) != flags.size()) {
        ok = 0;
    }
    return ok;
}

void InsertInheritFlag(cVector<std::uint8_t>& flags, int k, int nGroupCount)
{
    flags.resize(static_cast<std::size_t>(nGroupCount), 0);
    if (k < 0 || k >= nGroupCount) {
        return;
    }
    for (int i = nGroupCount - 1; i > k; --i) {
        flags.data()[i] = flags.data()[i - 1];
    }
    flags.data()[k] = 1;
}

int IsInherited(const cVector<std::uint8_t>& flags, int nGroup)
{
    return nGroup >= 0 && static_cast<std::size_t>(nGroup) < flags.size() && flags.data()[nGroup] != 0 ? 1 : 0;
}
