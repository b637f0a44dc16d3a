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
    long BytesLeft() const { return m_image != nullptr ? static_cast<long>(m_image->Left()) : RecordBytesLeft(m_fp); }

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

    // Sets text from a stored text block of length bytes (length >= 1) as ReadText does, and, when
    // dropCR, without its carriage returns. Called per string while a record loads: a block that
    // ends in its NUL and holds no other NUL and no carriage return, the usual case, is checked in
    // words and assigned whole.
    static void AssignText(std::string& text, const char* block, std::size_t length, bool dropCR)
    {
        if (block[length - 1] == '\0' && !HoldsNulOrCR(block, length - 1)) [[likely]] {
            // clear and append: cheaper than assign, which allows for the source lying in text.
            text.clear();
            text.append(block, length - 1);
            return;
        }
        text.assign(block, TextLength(block, length));
        if (dropCR && text.find('\r') != std::string::npos) {
            std::erase(text, '\r');
        }
    }

    // True when one of the n bytes at bytes is a NUL or a carriage return. Checked a word at a
    // time; the last word may overlap the one before it.
    static bool HoldsNulOrCR(const char* bytes, std::size_t n)
    {
        if (n < 8) {
            for (std::size_t i = 0; i < n; ++i) {
                if (bytes[i] == '\0' || bytes[i] == '\r') {
                    return true;
                }
            }
            return false;
        }
        for (std::size_t i = 0; i + 8 < n; i += 8) {
            if (WordHoldsNulOrCR(bytes + i)) {
                return true;
            }
        }
        return WordHoldsNulOrCR(bytes + n - 8);
    }

    // True when one of the 8 bytes at bytes is a NUL or a carriage return.
    static bool WordHoldsNulOrCR(const char* bytes)
    {
        constexpr std::uint64_t kOnes = 0x0101010101010101u;
        constexpr std::uint64_t kHighs = 0x8080808080808080u;
        constexpr std::uint64_t kCRs = kOnes * static_cast<unsigned char>('\r');
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, sizeof(word));
        const std::uint64_t crs = word ^ kCRs;
        // Non-zero exactly when some byte of word (of crs) is zero.
        return ((((word - kOnes) & ~word) | ((crs - kOnes) & ~crs)) & kHighs) != 0;
    }

    // memcpy of a block that does not overlap the target, with blocks of up to 16 bytes (most
    // raw parts) copied inline as two overlapping words.
    static void CopyBlock(void* to, const char* from, std::size_t n)
    {
        auto* out = static_cast<char*>(to);
        if (n >= 8 && n <= 16) {
            std::memcpy(out, from, 8);
            std::memcpy(out + n - 8, from + n - 8, 8);
        } else if (n >= 4 && n < 8) {
            std::memcpy(out, from, 4);
            std::memcpy(out + n - 4, from + n - 4, 4);
        } else {
            CopyBytes(to, from, n);
        }
    }

    // memcpy, with the common member widths copied inline.
    static void CopyBytes(void* to, const char* from, std::size_t n)
    {
        switch (n) {
        case 0: break;
        case 1: std::memcpy(to, from, 1); break;
        case 2: std::memcpy(to, from, 2); break;
        case 4: std::memcpy(to, from, 4); break;
        case 8: std::memcpy(to, from, 8); break;
        default: std::memcpy(to, from, n); break;
        }
    }

private:
    bool ReadTextFromStream(std::string& text, std::size_t length);

    FILE* m_fp;
    RecordImage* m_image;
};
