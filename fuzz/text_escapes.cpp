// fuzz-links: qb_objects
// Fuzz target: any message text from a stage file has its '#' escapes expanded without a read or
// write outside the text or the variables, whatever digits, prefixes, format parts and double-byte
// characters it holds; an escape naming a variable that does not exist stays as it was.
#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/cStageField.h"
#include "objects/cTextObj.h"
#include "project/cSaveData.h"

namespace {

class Field : public cStageField {
public:
    int CheckBlockCond(MAPCELL&) override { return 1; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Field field;
    lpStageField = &field;
    if (SaveData.Var.size() != cSaveData::kVarCount) SaveData.Var.assign(cSaveData::kVarCount, -2147483647 - 1);
    std::string text(reinterpret_cast<const char*>(data), size);
    cTextObj::ExpandEscapes(text);
    return 0;
}
