// Feeds arbitrary bytes to the record reader as a record file: a record with raw members of every
// width (one gained at version 710), two strings and a list of sub-records. The reader must never
// read past the end, allocate without bound or crash; it must read a file held in memory and a
// plain stdio stream alike; a file it accepts must save and load back to the same values.
// fuzz-links: qb_core
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/RecordList.h"
#include "core/ReportLog.h"
#include "core/cDataRecord.h"
#include "platform/win/Files.h"

namespace {

class FuzzItem : public cDataRecord {
public:
    std::int32_t a = 0;
    std::int16_t b = 0;
    std::string s;

    FuzzItem() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int) override
    {
        ClearMemberList();
        AddDwordMember(&a, 1);
        AddWordMember(&b, 1);
        AddStrMember(&s, 1);
    }
    bool SameAs(const FuzzItem& o) const { return a == o.a && b == o.b && s == o.s; }
};

class FuzzRecord : public cDataRecord {
public:
    std::int32_t first = 0;
    std::int32_t added = 0;
    double d = 0.0;
    std::uint8_t flags[5] = {};
    std::int16_t words[2] = {};
    std::string name;
    std::string text;
    cVector<FuzzItem> items;

    FuzzRecord() { RegisterMembers(nDataVersion); }
    void RegisterMembers(int nVersion) override
    {
        ClearMemberList();
        AddDwordMember(&first, 1);
        if (nVersion >= 710) {
            AddDwordMember(&added, 1);
        }
        AddQwordMember(&d, 1);
        AddByteMember(flags, 5);
        AddWordMember(words, 2);
        AddStrMember(&name, 1);
        AddStrMember(&text, 1);
    }
    int Load(FILE* fp) override { return cDataRecord::Load(fp) && LoadRecordList(fp, items); }
    int Save(FILE* fp) override { return cDataRecord::Save(fp) && SaveRecordList(fp, items); }

    bool SameAs(const FuzzRecord& o) const
    {
        if (first != o.first || added != o.added || std::memcmp(&d, &o.d, sizeof(d)) != 0 ||
            std::memcmp(flags, o.flags, sizeof(flags)) != 0 || std::memcmp(words, o.words, sizeof(words)) != 0 ||
            name != o.name || text != o.text || items.size() != o.items.size()) {
            return false;
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (!items.data()[i].SameAs(o.items.data()[i])) {
                return false;
            }
        }
        return true;
    }
    bool FitsTheSavedLimit() const
    {
        if (name.size() > kMaxSavedStringBytes || text.size() > kMaxSavedStringBytes) {
            return false;
        }
        for (const FuzzItem& item : items) {
            if (item.s.size() > kMaxSavedStringBytes) {
                return false;
            }
        }
        return true;
    }
};

struct Files {
    std::filesystem::path folder;
    std::string input;   // game path of the input file
    std::string output;  // game path of the round-trip file
};

const Files& WorkFiles()
{
    static const Files files = [] {
        Files f;
        // One fixed folder, reused by every run; in memory where there is such a file system, as
        // the safe-save rename makes a disk file system write the data out each time.
        std::error_code error;
        const bool inMemory = std::filesystem::is_directory("/dev/shm", error);
        f.folder = (inMemory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
                   "qb_fuzz_record_reader";
        std::filesystem::create_directories(f.folder);
        f.input = GamePath((f.folder / "in.dat").string());
        f.output = GamePath((f.folder / "out.dat").string());
        return f;
    }();
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool initialised = [] {
        nDataVersion = kCurrentDataVersion;
        bRemoveCR = 1;
        SetECLog(0, "EC_Game.txt");
        return true;
    }();
    (void)initialised;

    const Files& files = WorkFiles();
    FILE* out = std::fopen((files.folder / "in.dat").c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    if (size > 0) {
        std::fwrite(data, 1, size, out);
    }
    std::fclose(out);

    FuzzRecord record;
    const int loaded = record.LoadFile(files.input.c_str());
    // The same bytes read through a plain stdio stream give the same result and the same values
    // as the file that OpenDatLoad holds in memory.
    if (FILE* in = std::fopen((files.folder / "in.dat").c_str(), "rb")) {
        std::int32_t version = 0;
        if (ReadInt32(in, version)) {
            nFileVersion = version;
            FuzzRecord fromStream;
            if (fromStream.Load(in) != loaded || !fromStream.SameAs(record)) {
                std::abort();
            }
        }
        std::fclose(in);
    }
    if (!loaded || !record.FitsTheSavedLimit()) {
        return 0;
    }
    // An accepted file saves in the current layout and reads back unchanged.
    if (!record.SaveFile(files.output.c_str())) {
        std::abort();
    }
    FuzzRecord back;
    if (!back.LoadFile(files.output.c_str()) || !back.SameAs(record)) {
        std::abort();
    }
    return 0;
}
