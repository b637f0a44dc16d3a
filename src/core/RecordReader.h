// RecordReader: reading a record file, for the base class, the record file frame and every record
// class that reads blocks of its own (use it instead of fread: a file that OpenDatLoad holds in
// memory is then read without a stdio call).
//
// A file held in memory (RecordImage) is read in place; any other stream goes through stdio. Both
// give the same results: a read that finds fewer bytes than asked fails and leaves the position at
// the end, as fread does, and the bytes left are counted from the size the file had when it was
// opened.
//
// Construct one per record or per call: the constructor looks the stream up once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/RecordFile.h"
#include "core/RecordImage.h"

class RecordReader {
public:
    explicit RecordReader(FILE* fp) : m_fp(fp), m_image(RecordImage::Find(fp)) {}

    // Bytes between the read position and the end of the file; 0 when unknown.
    long BytesLeft() const
    {
        return m_image != nullptr ? static_cast<long>(m_image->Left()) : RecordBytesLeft(m_fp);
    }

    // Reads n bytes to to. False when fewer were left: those are copied, and the position is then
    // at the end.
    bool Read(void* to, std::size_t n)
    {
        if (m_image != nullptr) {
            if (const char* at = m_image->Take(n)) {
                CopyBytes(to, at, n);
                return true;
            }
            m_image->Read(to, n);
            return false;
        }
        return n == 0 || std::fread(to, 1, n, m_fp) == n;
    }

    // The memory image of the file, for readers that take many fields at once; nullptr when the
    // file is read through stdio.
    RecordImage* Image() const { return m_image; }

    // Reads one little-endian int32; false, with value unchanged, at the end of the data.
    bool ReadInt32(std::int32_t& value)
    {
        std::int32_t read = 0;
        if (m_image != nullptr) {
            const char* at = m_image->Take(sizeof(read));
            if (at == nullptr) {
                m_image->SkipToEnd();
                return false;
            }
            std::memcpy(&read, at, sizeof(read));
        } else if (std::fread(&read, sizeof(read), 1, m_fp) != 1) {
            return false;
        }
        value = read;
        return true;
    }

    // Reads a stored text block of length bytes (the text, normally followed by its NUL) into
    // text: the bytes before the first NUL, or all of them when there is none. False, with text
    // unchanged and nothing read, when the block does not fit the bytes left; false, with text
    // unchanged, when the read fails.
    bool ReadText(std::string& text, std::size_t length)
    {
        if (m_image != nullptr) {
            const char* at = m_image->Take(length);
            if (at == nullptr) {
                return false;
            }
            text.assign(at, TextLength(at, length));
            return true;
        }
        if (length > static_cast<std::size_t>(BytesLeft())) {
            return false;
        }
        return ReadTextFromStream(text, length);
    }

    // The length of the text in a stored block of length bytes: up to its first NUL, or the
    // whole block when it holds none.
    static std::size_t TextLength(const char* block, std::size_t length)
    {
        const void* nul = std::memchr(block, '\0', length);
        return nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - block) : length;
    }

    // memcpy, with the common member widths copied inline.
    static void CopyBytes(void* to, const char* from, std::size_t n)
    {
        switch (n) {
        case 0:
            break;
        case 1:
            std::memcpy(to, from, 1);
            break;
        case 2:
            std::memcpy(to, from, 2);
            break;
        case 4:
            std::memcpy(to, from, 4);
            break;
        case 8:
            std::memcpy(to, from, 8);
            break;
        default:
            std::memcpy(to, from, n);
            break;
        }
    }

private:
    bool ReadTextFromStream(std::string& text, std::size_t length);

    FILE* m_fp;
    RecordImage* m_image;
};
