#include "platform/win/IconvConverter.h"

#include <cerrno>

IconvConverter::IconvConverter(const char* toCode, const char* fromCode) : m_cd(iconv_open(toCode, fromCode))
{}

IconvConverter::~IconvConverter()
{
    if (IsOpen()) {
        iconv_close(m_cd);
    }
}

std::size_t IconvConverter::ConvertPrefix(std::string_view in, std::string& out)
{
    if (!IsOpen() || in.empty()) {
        return 0;
    }
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state

    // glibc's iconv takes a non-const input pointer; it never writes through it.
    char* inPtr = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char chunk[1024];
    while (inLeft > 0) {
        char* outPtr = chunk;
        std::size_t outLeft = sizeof chunk;
        const std::size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            break;  // EILSEQ or EINVAL: stop in front of the offending sequence
        }
    }
    return in.size() - inLeft;
}
