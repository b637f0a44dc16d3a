#include "platform/win/CodePage.h"

#include "platform/win/IconvConverter.h"

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

// One converter per thread and direction: iconv descriptors are not shareable.
IconvConverter& Cp932Decoder()
{
    thread_local IconvConverter converter("UTF-8", "CP932");
    return converter;
}

IconvConverter& Cp932Encoder()
{
    thread_local IconvConverter converter("CP932", "UTF-8");
    return converter;
}

bool IsUtf8Continuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Bytes to skip at in[pos] when iconv stopped there: a whole character when it is well formed
// (it has no Shift-JIS form), else the broken sequence's longest valid start (at least one byte),
// so that each broken sequence becomes one '?' as Unicode recommends.
std::size_t Utf8SkipLength(std::string_view in, std::size_t pos)
{
    const auto lead = static_cast<unsigned char>(in[pos]);
    std::size_t length = 1;
    unsigned char low = 0x80;  // range of the first continuation byte, which depends on the lead
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    std::size_t taken = 1;
    while (taken < length && pos + taken < in.size()) {
        const auto c = static_cast<unsigned char>(in[pos + taken]);
        const bool valid = taken == 1 ? (c >= low && c <= high) : IsUtf8Continuation(c);
        if (!valid) {
            break;
        }
        ++taken;
    }
    return taken;
}

}  // namespace

BOOL IsDBCSLeadByte(BYTE c)
{
    return ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) ? TRUE : FALSE;
}

bool IsDBCSTrailByte(BYTE c)
{
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool TryCp932ToUtf8(std::string_view sjis, std::string& utf8Out)
{
    utf8Out.clear();
    IconvConverter& decoder = Cp932Decoder();
    bool lossless = true;
    std::size_t pos = 0;
    while (pos < sjis.size()) {
        pos += decoder.ConvertPrefix(sjis.substr(pos), utf8Out);
        if (pos >= sjis.size()) {
            break;
        }
        // A byte iconv refused (or every non-ASCII byte when iconv is missing). A lead byte with a
        // proper trail byte is one unmapped character; anything else is one bad byte.
        const auto c = static_cast<BYTE>(sjis[pos]);
        if (!decoder.IsOpen() && c < 0x80) {
            utf8Out += static_cast<char>(c);
            ++pos;
            continue;
        }
        lossless = false;
        utf8Out += kReplacementUtf8;
        const bool pair =
            IsDBCSLeadByte(c) && pos + 1 < sjis.size() && IsDBCSTrailByte(static_cast<BYTE>(sjis[pos + 1]));
        pos += pair ? 2 : 1;
    }
    return lossless;
}

std::string Cp932ToUtf8(std::string_view sjis)
{
    std::string utf8;
    TryCp932ToUtf8(sjis, utf8);
    return utf8;
}

bool Utf8ToCp932(std::string_view utf8, std::string& sjisOut)
{
    sjisOut.clear();
    IconvConverter& encoder = Cp932Encoder();
    bool complete = true;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        pos += encoder.ConvertPrefix(utf8.substr(pos), sjisOut);
        if (pos >= utf8.size()) {
            break;
        }
        const auto c = static_cast<unsigned char>(utf8[pos]);
        if (!encoder.IsOpen() && c < 0x80) {
            sjisOut += static_cast<char>(c);
            ++pos;
            continue;
        }
        complete = false;
        sjisOut += '?';
        pos += Utf8SkipLength(utf8, pos);
    }
    return complete;
}
