#include "sound/MidiFile.h"

#include <cstdio>
#include <cstring>
#include <queue>
#include <tuple>

#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/win/Files.h"

namespace {

// One event of a track: its absolute tick, its status and where its data lies in the file
// (for meta events from the type byte on, for system exclusive from the length on).
struct SmfEvent {
    std::uint64_t tick = 0;
    BYTE status = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

struct SmfTrack {
    std::vector<SmfEvent> events;
    std::uint64_t endTick = 0;
};

unsigned ReadBig32(const BYTE* p)
{
    return (unsigned{p[0]} << 24) | (unsigned{p[1]} << 16) | (unsigned{p[2]} << 8) | unsigned{p[3]};
}

unsigned ReadBig16(const BYTE* p)
{
    return (unsigned{p[0]} << 8) | unsigned{p[1]};
}

void WriteBig32(BYTE* p, unsigned v)
{
    p[0] = static_cast<BYTE>(v >> 24);
    p[1] = static_cast<BYTE>(v >> 16);
    p[2] = static_cast<BYTE>(v >> 8);
    p[3] = static_cast<BYTE>(v);
}

// Walks the events of one track chunk's body [pos, end); false for a malformed track.
bool ReadTrack(const BYTE* file, std::size_t pos, std::size_t end, SmfTrack& track)
{
    std::uint64_t tick = 0;
    BYTE running = 0;
    while (pos < end) {
        unsigned delta = 0;
        const BYTE n = ReadVarLen(file + pos, file + end, &delta);
        if (n == 0) return false;
        pos += n;
        tick += delta;
        if (pos >= end) return false;
        BYTE status = file[pos];
        if (status & 0x80) {
            ++pos;
        } else if (running != 0) {
            status = running;
        } else {
            return false;  // data without a status
        }
        SmfEvent ev{tick, status, static_cast<std::uint32_t>(pos), 0};
        if (status < 0xF0) {
            running = status;
            const std::size_t len = (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
            if (end - pos < len) return false;
            for (std::size_t i = 0; i < len; ++i) {
                if (file[pos + i] & 0x80) return false;
            }
            ev.length = static_cast<std::uint32_t>(len);
        } else if (status == 0xF0 || status == 0xF7 || status == 0xFF) {
            running = 0;  // system exclusive and meta events cancel running status
            const std::size_t lengthAt = status == 0xFF ? pos + 1 : pos;
            unsigned dataLen = 0;
            const BYTE vn = lengthAt < end ? ReadVarLen(file + lengthAt, file + end, &dataLen) : 0;
            if (vn == 0 || end - (lengthAt + vn) < dataLen) return false;
            if (status == 0xFF && file[pos] == 0x2F) {  // end of track
                track.endTick = tick;
                return true;
            }
            ev.length = static_cast<std::uint32_t>(lengthAt + vn + dataLen - pos);
        } else {
            return false;  // system common and real-time statuses have no place in a file
        }
        pos += ev.length;
        track.events.push_back(ev);
    }
    return false;  // no end of track
}

// Merges the tracks into one song image in time order, track order on equal ticks.
std::unique_ptr<std::vector<BYTE>> BuildImage(const BYTE* file, const std::vector<SmfTrack>& tracks)
{
    std::uint64_t songEnd = 0;
    std::size_t total = 0;
    for (const SmfTrack& track : tracks) {
        songEnd = std::max(songEnd, track.endTick);
        total += track.events.size();
    }
    auto image = std::make_unique<std::vector<BYTE>>();
    image->reserve(kSongEventStart + total * 4 + 8);
    const BYTE header[kSongEventStart] = {'M', 'T',      'h',      'd', 0,   0,   0,   6, 0, 0, 0,
                                          1,   file[12], file[13], 'M', 'T', 'r', 'k', 0, 0, 0, 0};
    image->insert(image->end(), header, header + kSongEventStart);

    using Head = std::tuple<std::uint64_t, std::size_t, std::size_t>;  // tick, track, index
    std::priority_queue<Head, std::vector<Head>, std::greater<Head>> heads;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        if (!tracks[t].events.empty()) heads.emplace(tracks[t].events[0].tick, t, 0);
    }
    std::uint64_t previous = 0;
    BYTE varLen[4];
    auto putDelta = [&](std::uint64_t tick) {
        const std::uint64_t delta = tick - previous;
        previous = tick;
        const int n = delta <= 0x0FFFFFFF ? WriteVarLen(varLen, static_cast<unsigned>(delta)) : 0;
        image->insert(image->end(), varLen, varLen + n);
        return n > 0;
    };
    while (!heads.empty()) {
        const auto [tick, t, i] = heads.top();
        heads.pop();
        const SmfEvent& ev = tracks[t].events[i];
        if (!putDelta(tick)) return nullptr;
        image->push_back(ev.status);
        image->insert(image->end(), file + ev.offset, file + ev.offset + ev.length);
        if (i + 1 < tracks[t].events.size()) heads.emplace(tracks[t].events[i + 1].tick, t, i + 1);
    }
    if (!putDelta(songEnd)) return nullptr;
    const BYTE endOfTrack[3] = {0xFF, 0x2F, 0x00};
    image->insert(image->end(), endOfTrack, endOfTrack + 3);
    WriteBig32(image->data() + kSongTrackLength, static_cast<unsigned>(image->size() - kSongEventStart));
    return image;
}

}  // namespace

BYTE ReadVarLen(const BYTE* p, const BYTE* pEnd, unsigned* pValue)
{
    unsigned value = 0;
    for (BYTE n = 1; n <= 4 && p < pEnd; ++n, ++p) {
        value = (value << 7) | (*p & 0x7F);
        if ((*p & 0x80) == 0) {
            *pValue = value;
            return n;
        }
    }
    return 0;
}

int WriteVarLen(BYTE* pOut, unsigned nValue)
{
    if (nValue > 0x0FFFFFFF) return 0;
    int n = 1;
    while (n < 4 && (nValue >> (7 * n)) != 0) ++n;
    for (int i = 0; i < n; ++i) {
        const BYTE group = static_cast<BYTE>((nValue >> (7 * (n - 1 - i))) & 0x7F);
        pOut[i] = i + 1 < n ? static_cast<BYTE>(group | 0x80) : group;
    }
    return n;
}

cMidiFile::cMidiFile(const char* szFileName) : strFileName(szFileName != nullptr ? szFileName : "")
{
    Load(strFileName.c_str());
}

cMidiFile::~cMidiFile() = default;

void cMidiFile::Load(const char* szFileName)
{
    lpSong.reset();
    FILE* fp = FOpen(szFileName, "rb");
    if (fp == nullptr) {
        static const std::string kCannotOpen = Sjis("Midi %s Create ファイルが開けません");
        ReportLogEC(kCannotOpen.c_str(), strFileName.c_str());
        return;
    }
    std::vector<BYTE> file;
    long size = -1;
    if (std::fseek(fp, 0, SEEK_END) == 0) size = std::ftell(fp);
    bool bRead = false;
    if (size >= 0 && static_cast<unsigned long>(size) <= kMaxMidiFileSize && std::fseek(fp, 0, SEEK_SET) == 0) {
        file.resize(static_cast<std::size_t>(size));
        bRead = std::fread(file.data(), 1, file.size(), fp) == file.size();
    }
    std::fclose(fp);
    if (size > static_cast<long>(kMaxMidiFileSize)) {
        static const std::string kTooLarge = Sjis("Midi %s Create ファイルが大きすぎます");
        ReportLogEC(kTooLarge.c_str(), strFileName.c_str());
        return;
    }
    if (!bRead) {
        static const std::string kCannotRead = Sjis("Midi %s Create ファイルが読めません");
        ReportLogEC(kCannotRead.c_str(), strFileName.c_str());
        return;
    }
    lpSong = Init(file.data(), file.size());
}

std::unique_ptr<std::vector<BYTE>> cMidiFile::Init(const BYTE* lpFile, std::size_t nSize) const
{
    static const std::string kNotSmf4 = Sjis("Midi %s Init 標準MIDIでない(4)");
    static const std::string kNotSmf6 = Sjis("Midi %s Init 標準MIDIでない(6)");
    static const std::string kFormat2 = Sjis("Midi %s Init 対応フォーマットが2でない");
    static const std::string kFormatOther = Sjis("Midi %s Init 対応フォーマットが0または1でない");
    static const std::string kNoTrack = Sjis("Midi %s Init トラックがない");
    static const std::string kBrokenTrack = Sjis("Midi %s Init トラックが壊れている");
    const char* name = strFileName.c_str();

    if (nSize < 4 || std::memcmp(lpFile, "MThd", 4) != 0) {
        ReportLogEC(kNotSmf4.c_str(), name);
        return nullptr;
    }
    if (nSize < 14 || ReadBig32(lpFile + 4) != 6) {
        ReportLogEC(kNotSmf6.c_str(), name);
        return nullptr;
    }
    const unsigned format = ReadBig16(lpFile + 8);
    if (format == 2) {
        ReportLogEC(kFormat2.c_str(), name);
        return nullptr;
    }
    if (format > 2) {
        ReportLogEC(kFormatOther.c_str(), name);
        return nullptr;
    }
    if (nSize < kSongEventStart || std::memcmp(lpFile + 14, "MTrk", 4) != 0) {
        ReportLogEC(kNotSmf4.c_str(), name);
        return nullptr;
    }
    const unsigned trackCount = ReadBig16(lpFile + 10);
    if (trackCount == 0) {
        ReportLogEC(kNoTrack.c_str(), name);
        return nullptr;
    }

    // Track chunks in file order; chunks of other kinds between them are skipped, as the
    // standard asks of readers.
    std::vector<SmfTrack> tracks(trackCount);
    std::size_t pos = 14;
    for (unsigned t = 0; t < trackCount;) {
        if (nSize - pos < 8) {
            ReportLogEC(kBrokenTrack.c_str(), name);
            return nullptr;
        }
        const std::size_t bodyLength = ReadBig32(lpFile + pos + 4);
        const std::size_t body = pos + 8;
        if (nSize - body < bodyLength) {
            ReportLogEC(kBrokenTrack.c_str(), name);
            return nullptr;
        }
        if (std::memcmp(lpFile + pos, "MTrk", 4) == 0) {
            if (!ReadTrack(lpFile, body, body + bodyLength, tracks[t])) {
                ReportLogEC(kBrokenTrack.c_str(), name);
                return nullptr;
            }
            ++t;
        }
        pos = body + bodyLength;
    }
    auto image = BuildImage(lpFile, tracks);
    if (!image) ReportLogEC(kBrokenTrack.c_str(), name);
    return image;
}
