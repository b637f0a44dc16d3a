// Builds Windows bitmap files byte by byte for the tests, from the file layout alone (not through
// the decoder under test): file header, information header of the chosen size, optional masks and
// colour table, then the rows, bottom-up for a positive height.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BmpSpec {
    int width = 1;
    int height = 1;  // negative: rows stored top-down
    int bitCount = 24;
    std::uint32_t compression = 0;                 // 0 BI_RGB, 3 BI_BITFIELDS
    int headerSize = 40;                           // 40, 52, 56, 108 or 124
    std::uint32_t masks[3] = {0, 0, 0};            // written for BI_BITFIELDS (after a 40-byte header, else inside)
    std::vector<std::uint32_t> table;              // colour table as 0x00RRGGBB
    bool clrUsedZero = false;                      // write biClrUsed 0 instead of the table size
    std::vector<std::vector<std::uint32_t>> rows;  // raw pixel values, top row first
    std::string encoded;                           // when not empty: written instead of the rows (RLE data)
};

namespace bmpbytes {

inline void Put16(std::string& s, std::uint32_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
inline void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}
inline void Set32(std::string& s, size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One row of raw values packed at the given depth (high bits first below 8 bits), padded to 4 bytes.
inline std::string PackRow(const std::vector<std::uint32_t>& values, int bitCount)
{
    std::string row;
    if (bitCount < 8) {
        const int perByte = 8 / bitCount;
        for (size_t i = 0; i < values.size(); i += perByte) {
            unsigned byte = 0;
            for (int k = 0; k < perByte; ++k) {
                const std::uint32_t v = i + k < values.size() ? values[i + k] : 0;
                byte |= (v & ((1u << bitCount) - 1)) << (8 - bitCount * (k + 1));
            }
            row.push_back(static_cast<char>(byte));
        }
    } else {
        for (std::uint32_t v : values) {
            for (int b = 0; b < bitCount / 8; ++b) row.push_back(static_cast<char>((v >> (8 * b)) & 0xFF));
        }
    }
    while (row.size() % 4 != 0) row.push_back('\0');
    return row;
}

}  // namespace bmpbytes

inline std::string MakeBmp(const BmpSpec& spec)
{
    using namespace bmpbytes;
    const bool bitfields = spec.compression == 3;
    const size_t maskBytes = (bitfields && spec.headerSize == 40) ? 12 : 0;
    const size_t offBits = 14 + spec.headerSize + maskBytes + spec.table.size() * 4;
    std::string s = "BM";
    Put32(s, 0);  // file size, patched below
    Put32(s, 0);
    Put32(s, static_cast<std::uint32_t>(offBits));
    Put32(s, static_cast<std::uint32_t>(spec.headerSize));
    Put32(s, static_cast<std::uint32_t>(spec.width));
    Put32(s, static_cast<std::uint32_t>(spec.height));
    Put16(s, 1);
    Put16(s, static_cast<std::uint32_t>(spec.bitCount));
    Put32(s, spec.compression);
    Put32(s, 0);  // image size (0 is allowed for uncompressed files)
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, spec.clrUsedZero ? 0 : static_cast<std::uint32_t>(spec.table.size()));
    Put32(s, 0);
    if (spec.headerSize > 40) {
        for (int i = 0; i < 3; ++i) Put32(s, bitfields ? spec.masks[i] : 0);
        while (s.size() < 14 + static_cast<size_t>(spec.headerSize)) s.push_back('\0');
    } else if (bitfields) {
        for (int i = 0; i < 3; ++i) Put32(s, spec.masks[i]);
    }
    for (std::uint32_t c : spec.table) Put32(s, c & 0x00FFFFFF);  // B, G, R, 0 in file order
    s += spec.encoded;
    const int rows = spec.encoded.empty() ? static_cast<int>(spec.rows.size()) : 0;
    for (int i = 0; i < rows; ++i) {
        const int r = spec.height > 0 ? rows - 1 - i : i;
        s += PackRow(spec.rows[static_cast<size_t>(r)], spec.bitCount);
    }
    Set32(s, 2, static_cast<std::uint32_t>(s.size()));
    return s;
}
