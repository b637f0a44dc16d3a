#include "project/SettingsLists.h"

#include "core/RecordReader.h"
#include "core/TextHelpers.h"
#include "core/cDataRecord.h"

namespace {

// Smallest size of a text in a file: its length.
constexpr std::size_t kMinTextBytes = 4;

// One stored text into text. 1, or 0 when its length is below 1 or beyond the end of the file.
int LoadText(FILE* fp, std::string& text)
{
    std::int32_t length = 0;
    if (!ReadInt32(fp, length) || length < 1) {
        return 0;
    }
    text.clear();
    if (length == 1) {
        return 1;
    }
    return RecordReader(fp).ReadText(text, static_cast<std::size_t>(length)) ? 1 : 0;
}

// The text as it is saved: up to its first NUL, at most kMaxSavedStringBytes bytes, never ending
// in half a double-byte character.
std::string SavedForm(const std::string& source)
{
    std::string text(source.c_str());
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t step = IsDBCSChar(text.c_str() + end) ? 2 : 1;
        if (end + step > kMaxSavedStringBytes) {
            break;
        }
        end += step;
    }
    text.resize(end);
    return text;
}

}  // namespace

int LoadStringList(FILE* fp, cVector<std::string>& list)
{
    int count = 0;
    if (!ReadListCount(fp, count, kMinTextBytes)) {
        return 0;
    }
    list.Reset(static_cast<unsigned>(count));
    for (int i = 0; i < count; ++i) {
        if (!LoadText(fp, list[i])) {
            return 0;
        }
    }
    return 1;
}

int SaveStringList(FILE* fp, const cVector<std::string>& list)
{
    bool ok = WriteInt32(fp, static_cast<std::int32_t>(list.size()));
    for (const std::string& source : list) {
        std::string text = SavedForm(source);
        ok = WriteInt32(fp, static_cast<std::int32_t>(text.size() + 1)) && ok;
        if (!text.empty()) {
            ok = std::fwrite(text.c_str(), 1, text.size() + 1, fp) == text.size() + 1 && ok;
        }
    }
    return ok ? 1 : 0;
}
