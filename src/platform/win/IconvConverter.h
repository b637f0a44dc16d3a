// One owned iconv conversion descriptor (glibc iconv).
//
// An iconv_t keeps shift state and is not safe to share between threads: each thread keeps its
// own converter (see CodePage.cpp). Used only inside the stand-in.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

class IconvConverter {
public:
    // toCode/fromCode are iconv names such as "UTF-8" and "CP932". IsOpen() tells whether the
    // system could provide the conversion.
    IconvConverter(const char* toCode, const char* fromCode);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` from its start, appending to `out`, and stops at the end of the input or at
    // the first sequence that is invalid, incomplete or has no form in the target. Returns the
    // number of input bytes consumed (in.size() when everything converted; 0 when not open).
    std::size_t ConvertPrefix(std::string_view in, std::string& out);

private:
    iconv_t m_cd;
};
