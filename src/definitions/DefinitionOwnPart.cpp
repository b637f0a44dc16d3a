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

int LoadInheritFlags(FILE* fp, cVector<std::uint8_t>& flags)
{
    int n = 0;
    if (!ReadListCount(fp, n, 1)) {
        return 0;
    }
    RecordReader reader(fp);
    const auto count = static_cast<std::size_t>(n);
    if (RecordImage* image = reader.Image()) {
        // Straight from the file's bytes into the vector's room (a new definition has it).
        const char* at = image->Take(count);
        if (at == nullptr) {
            return 0;
        }
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(at);
        flags.assign(bytes, bytes + count);
    } else {
        cVector<std::uint8_t> read(count, 0);
        if (!reader.Read(read.data(), read.size())) {
            return 0;
        }
        flags = std::move(read);
    }
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
