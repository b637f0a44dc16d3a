#include "definitions/CommandList.h"

#include "definitions/DefinitionList.h"
#include "definitions/cEdFlow.h"

namespace {

// Smallest stored command: base part (8), the two record flags, the flow and parameter counts.
constexpr std::size_t kMinCommandBytes = 24;

}  // namespace

int LoadCommandList(cVector<cEdCommand>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, kMinCommandBytes);
}
