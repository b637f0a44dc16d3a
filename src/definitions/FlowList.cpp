#include "definitions/FlowList.h"

#include <algorithm>

#include "definitions/DefinitionList.h"
#include "definitions/cEdFlow.h"

namespace {

// Smallest stored flow: base part (8) and the three list counts.
constexpr std::size_t kMinFlowBytes = 20;

}  // namespace

int LoadFlowList(cVector<cEdFlow>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, kMinFlowBytes);
}

void RemoveTestPlayFlows(cVector<cEdFlow>& list)
{
    std::erase_if(list, [](const cEdFlow& flow) { return flow.m_bTestPlayOnly != 0; });
}
