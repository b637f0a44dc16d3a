#include "platform/gdi/ShiftJisChars.h"

#include <array>
#include <string>

#include "platform/win/CodePage.h"
#include "platform/win/IconvConverter.h"

namespace {

constexpr int kLeadCount = 256;
constexpr int kTrailCount = 256;

// Code points of every double-byte code, indexed by lead and trail byte (0: none). Built once
// through iconv; about 11,000 conversions at the first use of a font.
class DoubleByteTable {
public:
    DoubleByteTable()
    {
        IconvConverter decoder("UTF-32LE", "CP932");
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsDBCSLeadByte(static_cast<BYTE>(lead))) continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (IsDBCSTrailByte(static_cast<BYTE>(trail)))
                    m_codes[Index(lead, trail)] = Decode(decoder, lead, trail);
            }
        }
    }

    char32_t Lookup(BYTE lead, BYTE trail) const { return m_codes[Index(lead, trail)]; }

private:
    static std::size_t Index(int lead, int trail) { return static_cast<std::size_t>(lead) * kTrailCount + trail; }

    static char32_t Decode(IconvConverter& decoder, int lead, int trail)
    {
        const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        std::string out;
        if (decoder.ConvertPrefix(std::string_view(bytes, 2), out) != 2 || out.size() != 4) return 0;
        char32_t code = 0;
        for (int i = 3; i >= 0; --i) code = (code << 8) | static_cast<BYTE>(out[static_cast<std::size_t>(i)]);
        return code;
    }

    std::array<char32_t, kLeadCount * kTrailCount> m_codes{};
};

const DoubleByteTable& DoubleBytes()
{
    static const DoubleByteTable table;
    return table;
}

char32_t SingleByte(BYTE b)
{
    if (b < 0x80) return b;
    if (b >= 0xA1 && b <= 0xDF) return U'\uFF61' + (b - 0xA1);  // half-width katakana
    return 0;
}

}  // namespace

SjisChar NextSjisChar(std::string_view text, std::size_t pos)
{
    const auto lead = static_cast<BYTE>(text[pos]);
    if (IsDBCSLeadByte(lead)) {
        if (pos + 1 < text.size() && IsDBCSTrailByte(static_cast<BYTE>(text[pos + 1])))
            return {DoubleBytes().Lookup(lead, static_cast<BYTE>(text[pos + 1])), 2};
        return {0, 1};
    }
    return {SingleByte(lead), 1};
}
