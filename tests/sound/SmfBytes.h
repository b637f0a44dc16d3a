// An independent byte writer for Standard MIDI Files in the tests: chunks, big-endian numbers and
// variable-length numbers written from the file format, not through the reader under test.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace smfbytes {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& out, std::initializer_list<std::uint8_t> bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

inline void Append(Bytes& out, const Bytes& bytes)
{
    out.insert(out.end(), bytes.begin(), bytes.end());
}

inline void Big32(Bytes& out, std::uint32_t v)
{
    Append(out, {static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
                 static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
}

inline void Big16(Bytes& out, std::uint16_t v)
{
    Append(out, {static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)});
}

// Variable-length number, most significant group first.
inline Bytes VarLen(std::uint32_t v)
{
    Bytes groups{static_cast<std::uint8_t>(v & 0x7F)};
    while ((v >>= 7) != 0) groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (v & 0x7F)));
    return groups;
}

inline Bytes Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division)
{
    Bytes out{'M', 'T', 'h', 'd'};
    Big32(out, 6);
    Big16(out, format);
    Big16(out, tracks);
    Big16(out, division);
    return out;
}

// A track chunk around the given event bytes (the caller writes the end of track).
inline Bytes Track(const Bytes& events)
{
    Bytes out{'M', 'T', 'r', 'k'};
    Big32(out, static_cast<std::uint32_t>(events.size()));
    Append(out, events);
    return out;
}

// One event: delta time and the event's bytes as written in the file.
inline Bytes Ev(std::uint32_t delta, std::initializer_list<std::uint8_t> bytes)
{
    Bytes out = VarLen(delta);
    Append(out, bytes);
    return out;
}

inline Bytes EndOfTrack(std::uint32_t delta = 0)
{
    return Ev(delta, {0xFF, 0x2F, 0x00});
}

inline Bytes Tempo(std::uint32_t delta, std::uint32_t usPerQuarter)
{
    return Ev(delta, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(usPerQuarter >> 16),
                      static_cast<std::uint8_t>(usPerQuarter >> 8), static_cast<std::uint8_t>(usPerQuarter)});
}

inline Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts) Append(out, p);
    return out;
}

// A format-0 file of one track.
inline Bytes Format0(std::uint16_t division, const Bytes& events)
{
    return Concat({Header(0, 1, division), Track(events)});
}

inline std::string AsString(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

}  // namespace smfbytes
