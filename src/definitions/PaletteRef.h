// Palette references: how a block, character or item definition names an entry of its own type
// in the common palette (kind 1) or in the stage palette (kind 2) as its template, and how a
// block names the item it gives. Index 0 of every palette list is a fixed default entry, so a
// reference with index 0 names nothing whatever its kind.
//
// While definitions are read and repaired, references resolve against the palettes of the
// calling thread's scope: by default CommonPalette and Stage. The loaders narrow it: a stage
// being read resolves kind 2 against its own lists (it is read into a record of its own and only
// then becomes Stage). The common palette, read at start-up, resolves kind 2 against the Stage of
// that moment (the reset stage).
#pragma once

#include <cstdint>

#include "core/cVector.h"
#include "definitions/PaletteCounts.h"

class cEdBlock;
class cEdChara;
class cEdItem;

// Values of a palette reference's kind.
enum PALETTEREFKIND { PALREF_NONE = 0, PALREF_COMMON = 1, PALREF_STAGE = 2 };

// The three lists of one palette; all null when the palette is not known.
struct PALETTELISTS {
    cVector<cEdBlock>* lpBlock = nullptr;
    cVector<cEdChara>* lpChara = nullptr;
    cVector<cEdItem>* lpItem = nullptr;
};

// What kind 1 and kind 2 references resolve against.
struct PALETTESCOPE {
    PALETTELISTS Common;
    PALETTELISTS Stage;
};

// The calling thread's scope: the innermost cPaletteScope alive on this thread, else the lists of
// the globals CommonPalette and Stage.
const PALETTESCOPE& ActivePalettes();

// Sets the calling thread's scope for the life of the object (loads and repairs of a palette or a
// stage); the previous scope comes back afterwards. Not copyable; nests.
class cPaletteScope {
public:
    explicit cPaletteScope(const PALETTESCOPE& scope);
    ~cPaletteScope();
    cPaletteScope(const cPaletteScope&) = delete;
    cPaletteScope& operator=(const cPaletteScope&) = delete;

private:
    PALETTESCOPE m_Scope;
    const PALETTESCOPE* m_lpPrevious;
};

// The list of the active scope that a reference of kind nKind points into: kind 1 the common
// palette's, kind 2 the stage palette's; null for any other kind and for an unknown palette.
cVector<cEdBlock>* PaletteBlockList(int nKind);
cVector<cEdChara>* PaletteCharaList(int nKind);
cVector<cEdItem>* PaletteItemList(int nKind);

// The entry counts of the active scope's six lists, -1 for an unknown palette: what the palette
// checks of commands (cEdCommand::CheckPaletteRefs) compare with.
PALETTECOUNTS ActivePaletteCounts();

// The palette reference check, run by every definition's repair: a reference of kind 1 or 2 whose
// index is negative or not below the size of its list (list nList, a PALETTELIST, of the active
// scope) becomes kind 0, index 0. Other kinds, and references into an unknown palette, stay.
void CheckPaletteRef(std::int8_t& nKind, std::int16_t& nIndex, int nList);

// The item palette entry that kind nKind (1 CommonPalette, 2 Stage) and index nIndex name, or null
// for another kind or an index outside the list. Stage play asks it for the item a block gives
// and for held items.
cEdItem* GetPaletteItem(int nKind, int nIndex);

// The template of an inheriting definition self, found in list (the list its kind points into):
// null when the index is 0, the kind is neither 1 nor 2, the palette is unknown or the template
// would be self (an entry naming itself inherits nothing). An index outside the list sets the
// kind to 0 (the index stays) and gives null.
template <class T>
const T* FindPaletteTemplate(const T* self, std::int8_t& nKind, std::int16_t nIndex, const cVector<T>* list)
{
    if (nIndex == 0 || (nKind != PALREF_COMMON && nKind != PALREF_STAGE) || list == nullptr) {
        return nullptr;
    }
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= list->size()) {
        nKind = PALREF_NONE;
        return nullptr;
    }
    const T* found = list->data() + nIndex;
    return found == self ? nullptr : found;
}
