#include "definitions/ConditionList.h"

#include "definitions/DefinitionList.h"

namespace {

// Smallest stored forms: a base part with no members (two counts), and one with the entry count.
constexpr std::size_t kMinConditionBytes = 8;
constexpr std::size_t kMinKeyConditionBytes = 12;

}  // namespace

int LoadConditionList(cVector<cEdCondition>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, kMinConditionBytes);
}

int LoadKeyConditionList(cVector<cEdKeyCondition>& list, FILE* fp)
{
    return LoadDefinitionList(fp, list, kMinKeyConditionBytes);
}

cVector<cEdCondition>& AssignConditionList(cVector<cEdCondition>& destination, const cVector<cEdCondition>& source)
{
    destination = source;
    return destination;
}
