#include "definitions/DefinitionContext.h"

DEFINITIONCONTEXT DefinitionContext;

int DEFINITIONCONTEXT::Count(int t) const
{
    return t >= 0 && t < DB_TABLECOUNT ? nTableCount[static_cast<std::size_t>(t)] : 0;
}

std::int64_t DEFINITIONCONTEXT::SwordTime(int nIndex) const
{
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) >= SwordTypeTime.size()) {
        return 0;
    }
    return SwordTypeTime.data()[nIndex];
}

int DEFINITIONCONTEXT::RemovesTestPlayFlows() const
{
    return bTestPlayMode == 0 && bKeepTestPlayFlows == 0 ? 1 : 0;
}
