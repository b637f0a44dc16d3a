// Little-endian byte builders for test fixtures. The game-folder writers build every data file
// from the record layouts with it, independently of the system's own Save functions, so that a
// misreading in a reader cannot hide behind a writer that shares it.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class ByteWriter {
public:
    ByteWriter& U8(std::uint8_t v)
    {
        bytes_.push_back(v);
        return *this;
    }
    ByteWriter& I16(std::int16_t v) { return Raw(&v, 2); }
    ByteWriter& U16(std::uint16_t v) { return Raw(&v, 2); }
    ByteWriter& I32(std::int32_t v) { return Raw(&v, 4); }
    ByteWriter& U32(std::uint32_t v) { return Raw(&v, 4); }
    ByteWriter& I64(std::int64_t v) { return Raw(&v, 8); }
    ByteWriter& F64(double v) { return Raw(&v, 8); }
    ByteWriter& Bytes(std::string_view s) { return Raw(s.data(), s.size()); }
    ByteWriter& Append(const ByteWriter& other)
    {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
        return *this;
    }
    // A record-file string: int32 length including the terminating NUL, then the bytes and the
    // NUL; the empty string is the length 1 alone.
    ByteWriter& RecordString(std::string_view s)
    {
        I32(static_cast<std::int32_t>(s.size() + 1));
        if (s.empty()) {
            return *this;
        }
        Bytes(s);
        return U8(0);
    }

    const std::vector<std::uint8_t>& Data() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    // The first n bytes, for truncated-file fixtures.
    std::vector<std::uint8_t> Truncated(std::size_t n) const
    {
        return {bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(n < bytes_.size() ? n : bytes_.size())};
    }

private:
    ByteWriter& Raw(const void* p, std::size_t n)
    {
        const auto* b = static_cast<const std::uint8_t*>(p);
        bytes_.insert(bytes_.end(), b, b + n);  // the build targets are little-endian
        return *this;
    }

    std::vector<std::uint8_t> bytes_;
};

// The raw part of a record being built: the members' bytes and their number, written as the int32
// count followed by the bytes.
class RawPart {
public:
    RawPart& B(std::int8_t v)
    {
        bytes_.U8(static_cast<std::uint8_t>(v));
        return Count();
    }
    RawPart& U(std::uint8_t v)
    {
        bytes_.U8(v);
        return Count();
    }
    RawPart& H(std::int16_t v)
    {
        bytes_.I16(v);
        return Count();
    }
    RawPart& I(std::int32_t v)
    {
        bytes_.I32(v);
        return Count();
    }
    RawPart& D(double v)
    {
        bytes_.F64(v);
        return Count();
    }
    // One member of three 16-bit elements.
    RawPart& H3(const std::array<std::int16_t, 3>& v)
    {
        for (std::int16_t e : v) {
            bytes_.I16(e);
        }
        return Count();
    }
    void WriteTo(ByteWriter& out) const { out.I32(count_).Append(bytes_); }

private:
    RawPart& Count()
    {
        ++count_;
        return *this;
    }
    ByteWriter bytes_;
    std::int32_t count_ = 0;
};

}  // namespace testsupport
