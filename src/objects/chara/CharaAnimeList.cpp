// The extra animations of a character: animations that the flows start over the character's own
// pattern, each shown for a number of frames, and the choice of the one on screen. Game thread,
// once per drawn frame and in the commands.
#include <climits>

#include "objects/chara/cCharaBase.h"

int cCharaBase::UpdateAnimeList(int paused)
{
    if (!paused) {
        anime.Step();
        for (auto it = extraAnimes.begin(); it != extraAnimes.end();) {
            if (it->stopped) {
                ++it;
                continue;
            }
            if (it->anime.Step() == kPatternEnd) {
                it = extraAnimes.erase(it);
                continue;
            }
            --it->remaining;
            ++it;
        }
    }
    const EXTRAANIME* best = ShownExtraAnime();
    return best != nullptr ? best->anime.GetFrame() : anime.GetFrame();
}

const EXTRAANIME* cCharaBase::ShownExtraAnime() const
{
    // A priority entry whose time is up takes over from the earlier entries, and once one has,
    // only later entries whose time is up (and less overdue) may follow it; an ordinary entry is
    // shown only when nothing else is.
    const EXTRAANIME* best = nullptr;
    int a = INT_MAX;
    bool settled = false;
    for (const EXTRAANIME& entry : extraAnimes) {
        if (entry.stopped) {
            continue;
        }
        const int c = entry.remaining;
        if (settled) {
            if (c <= 0 && a <= 0 && a < c) {
                best = &entry;
                a = c;
            }
        } else if (entry.priority) {
            if (c <= 0 && a <= 0) {
                best = &entry;
                a = c;
                settled = true;
            } else if (c < a) {
                best = &entry;
                a = c;
            }
        } else if (best == nullptr) {
            best = &entry;
            a = INT_MAX;
        }
    }
    return best;
}

void cCharaBase::RemoveAnimeByKey(int key)
{
    extraAnimes.remove_if([key](const EXTRAANIME& entry) { return entry.key == key; });
}

void cCharaBase::EndAnimeByKey(int key)
{
    for (auto it = extraAnimes.begin(); it != extraAnimes.end();) {
        if (it->key != key) {
            ++it;
        } else if (static_cast<long long>(it->extra) + it->remaining < 1) {
            it = extraAnimes.erase(it);
        } else {
            it->stopped = 1;
            ++it;
        }
    }
}

void cCharaBase::ResumeAnimeByKey(int key)
{
    for (EXTRAANIME& entry : extraAnimes) {
        if (entry.key == key) {
            entry.stopped = 0;
        }
    }
}
