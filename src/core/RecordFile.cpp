#include "core/RecordFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "core/RecordImage.h"
#include "core/RecordReader.h"
#include "core/ReportLog.h"
#include "platform/win/FileSync.h"
#include "platform/win/Files.h"
#include "platform/win/ThreadLock.h"

static_assert(std::endian::native == std::endian::little, "record files are read and written as they lie in memory");

int nDataVersion = kCurrentDataVersion;
int nFileVersion = 0;
int bRemoveCR = 0;

namespace {

// What CloseDat and RecordBytesLeft need to know about a file that is not held in memory.
struct OpenRecordFile {
    FILE* fp = nullptr;
    long size = -1;         // reading from disk: the file's size in bytes
    std::string tempPath;   // writing: where the bytes go
    std::string finalPath;  // writing: what the temporary file replaces
};

ThreadLock openFilesMutex;
std::vector<OpenRecordFile> openFiles;

void Remember(OpenRecordFile entry)
{
    ThreadLockHolder lock(openFilesMutex);
    openFiles.push_back(std::move(entry));
}

// Removes and returns the entry of fp; an entry with fp nullptr when there is none.
OpenRecordFile Forget(FILE* fp)
{
    ThreadLockHolder lock(openFilesMutex);
    auto it = std::find_if(openFiles.begin(), openFiles.end(), [fp](const OpenRecordFile& e) { return e.fp == fp; });
    if (it == openFiles.end()) {
        return {};
    }
    OpenRecordFile entry = std::move(*it);
    openFiles.erase(it);
    return entry;
}

long KnownSize(FILE* fp)
{
    ThreadLockHolder lock(openFilesMutex);
    for (const OpenRecordFile& e : openFiles) {
        if (e.fp == fp) {
            return e.size;
        }
    }
    return -1;
}

long MeasureSize(FILE* fp)
{
    long position = std::ftell(fp);
    if (position < 0 || std::fseek(fp, 0, SEEK_END) != 0) {
        return -1;
    }
    long size = std::ftell(fp);
    std::fseek(fp, position, SEEK_SET);
    return size;
}

}  // namespace

FILE* OpenDatLoad(const char* szPath)
{
    if (szPath == nullptr || szPath[0] == '\0') {
        szPath = "err";
    }
    if (std::strlen(szPath) >= MAX_PATH) {
        return nullptr;
    }
    FILE* fp = FOpen(szPath, "rb");
    if (fp == nullptr) {
        return nullptr;
    }
    long size = MeasureSize(fp);
    if (size < 4) {
        std::fclose(fp);
        return nullptr;
    }
    // Normally the whole file is read at once and served from memory; a file too large for that
    // is read from disk.
    if (FILE* image = RecordImage::Open(fp, static_cast<std::size_t>(size))) {
        fp = image;
    } else {
        Remember({fp, size, {}, {}});
    }
    std::int32_t version = 0;
    if (!ReadInt32(fp, version)) {
        CloseDat(fp);
        return nullptr;
    }
    nFileVersion = version;
    return fp;
}

FILE* OpenDatSave(const char* szPath)
{
    if (szPath == nullptr || szPath[0] == '\0' || std::strlen(szPath) >= MAX_PATH) {
        return nullptr;
    }
    std::string tempPath = std::string(szPath) + ".tmp";
    // A temporary file left by a save that never ended (the program was killed) goes first.
    DeleteFileA(tempPath.c_str());
    FILE* fp = FOpen(tempPath.c_str(), "wb");
    if (fp == nullptr) {
        return nullptr;
    }
    if (!WriteInt32(fp, nDataVersion)) {
        std::fclose(fp);
        DeleteFileA(tempPath.c_str());
        return nullptr;
    }
    Remember({fp, -1, tempPath, szPath});
    return fp;
}

int CloseDat(FILE* fp)
{
    if (fp == nullptr) {
        return 0;
    }
    OpenRecordFile entry = Forget(fp);
    if (entry.tempPath.empty()) {
        std::fclose(fp);  // a file held in memory releases its image here
        return 1;
    }
    // On disk before the rename: otherwise a power cut could leave the new name on an empty file.
    bool written = FlushFileToDisk(fp) != FALSE && std::ferror(fp) == 0;
    written = std::fclose(fp) == 0 && written;
    if (written && MoveFileReplaceA(entry.tempPath.c_str(), entry.finalPath.c_str())) {
        return 1;
    }
    DeleteFileA(entry.tempPath.c_str());
    ReportLog("Save failed : %s", entry.finalPath.c_str());
    return 0;
}

void AbandonDat(FILE* fp)
{
    if (fp == nullptr) {
        return;
    }
    OpenRecordFile entry = Forget(fp);
    std::fclose(fp);
    if (!entry.tempPath.empty()) {
        DeleteFileA(entry.tempPath.c_str());
        ReportLog("Save failed : %s", entry.finalPath.c_str());
    }
}

long RecordBytesLeft(FILE* fp)
{
    if (const RecordImage* image = RecordImage::Find(fp)) {
        return static_cast<long>(image->Left());
    }
    long size = KnownSize(fp);
    if (size < 0) {
        size = MeasureSize(fp);
    }
    long position = std::ftell(fp);
    if (size < 0 || position < 0 || position > size) {
        return 0;
    }
    return size - position;
}

bool ReadInt32(FILE* fp, std::int32_t& value)
{
    return RecordReader(fp).ReadInt32(value);
}

bool WriteInt32(FILE* fp, std::int32_t value)
{
    return std::fwrite(&value, sizeof(value), 1, fp) == 1;
}

bool ReadListCount(FILE* fp, int& count, std::size_t nMinElementBytes)
{
    RecordReader reader(fp);
    std::int32_t n = 0;
    if (!reader.ReadInt32(n) || n < 0) {
        return false;
    }
    std::size_t need = static_cast<std::size_t>(n) * std::max<std::size_t>(nMinElementBytes, 1);
    if (need > static_cast<std::size_t>(reader.BytesLeft())) {
        return false;
    }
    count = n;
    return true;
}
