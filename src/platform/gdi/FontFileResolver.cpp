#include "platform/gdi/FontFileResolver.h"

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

#include "platform/gdi/FontFamilyMap.h"
#include "platform/win/CodePage.h"

namespace {

struct FcConfigDeleter {
    void operator()(FcConfig* c) const { FcConfigDestroy(c); }
};
struct FcPatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FcFontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using FcConfigPtr = std::unique_ptr<FcConfig, FcConfigDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;

const FcChar8* Fc(const std::string& s)
{
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

class Resolver {
public:
    std::vector<FontFile> Resolve(std::string_view faceSjis, int weight)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (weight <= 0) weight = 400;
        std::string key(faceSjis);
        key += '\0';
        key += std::to_string(weight);
        if (auto it = m_cache.find(key); it != m_cache.end()) return it->second;
        std::vector<FontFile> files = Search(Cp932ToUtf8(faceSjis), weight);
        if (files.empty()) std::fprintf(stderr, "fonts: no font found for \"%s\"\n", Cp932ToUtf8(faceSjis).c_str());
        m_cache.emplace(key, files);
        return files;
    }

    bool UseOnly(const std::string& path)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        FcConfigPtr config(FcConfigCreate());
        if (!config || !FcConfigAppFontAddFile(config.get(), Fc(path))) return false;
        m_config = std::move(config);
        m_cache.clear();
        return true;
    }

    void UseSystem()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_config.reset();
        m_cache.clear();
    }

private:
    FcConfig* Config()
    {
        if (!m_config) m_config.reset(FcInitLoadConfigAndFonts());
        return m_config.get();
    }

    std::vector<FontFile> Search(const std::string& faceUtf8, int weight)
    {
        std::vector<FontFile> files;
        FcConfig* config = Config();
        FcPatternPtr pattern(FcPatternCreate());
        if (config == nullptr || !pattern) return files;
        for (const std::string& family : FontFamiliesFor(faceUtf8))
            FcPatternAddString(pattern.get(), FC_FAMILY, Fc(family));
        // The fonts are created for Shift-JIS text: Japanese coverage decides the fallbacks.
        FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
        FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result = FcResultNoMatch;
        FcFontSetPtr sorted(FcFontSort(config, pattern.get(), FcTrue, nullptr, &result));
        if (!sorted) return files;
        for (int i = 0; i < sorted->nfont && static_cast<int>(files.size()) <= kMaxFontFallbacks; ++i) {
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch || file == nullptr) continue;
            FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
            FcChar8* family = nullptr;
            FcPatternGetString(sorted->fonts[i], FC_FAMILY, 0, &family);
            FontFile entry{reinterpret_cast<const char*>(file), index,
                           family != nullptr ? reinterpret_cast<const char*>(family) : ""};
            bool seen = false;
            for (const FontFile& f : files) seen = seen || (f.path == entry.path && f.index == entry.index);
            if (!seen) files.push_back(std::move(entry));
        }
        return files;
    }

    std::mutex m_mutex;
    FcConfigPtr m_config;
    std::map<std::string, std::vector<FontFile>> m_cache;
};

Resolver& TheResolver()
{
    static Resolver resolver;
    return resolver;
}

}  // namespace

std::vector<FontFile> ResolveFontFiles(std::string_view faceSjis, int weight)
{
    return TheResolver().Resolve(faceSjis, weight);
}

bool FontFilesUseOnlyForTest(const std::string& path)
{
    return TheResolver().UseOnly(path);
}

void FontFilesUseSystemForTest()
{
    TheResolver().UseSystem();
}
