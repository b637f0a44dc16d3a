#include "core/FileReadScope.h"

namespace {

thread_local FileReadScope* currentReadScope = nullptr;

}  // namespace

FileReadScope::FileReadScope() : m_pOuter(currentReadScope)
{
    currentReadScope = this;
}

FileReadScope::~FileReadScope()
{
    currentReadScope = m_pOuter;
}

bool FileReadScope::Active()
{
    return currentReadScope != nullptr;
}

bool FileReadScope::CountBadIndex()
{
    if (currentReadScope == nullptr) {
        return false;
    }
    ++currentReadScope->m_nBadIndexes;
    return true;
}
