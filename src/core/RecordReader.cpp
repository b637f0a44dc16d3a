#include "core/RecordReader.h"

#include <vector>

bool RecordReader::ReadTextFromStream(std::string& text, std::size_t length)
{
    // Through a buffer, so that a failed read leaves the text as it was.
    std::vector<char> buffer(length);
    if (std::fread(buffer.data(), 1, length, m_fp) != length) {
        return false;
    }
    text.assign(buffer.data(), TextLength(buffer.data(), length));
    return true;
}
