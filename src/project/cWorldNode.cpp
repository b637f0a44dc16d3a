#include "project/cWorldNode.h"

#include "core/RecordList.h"

cWorldNode::cWorldNode()
{
    Reset();
}

void cWorldNode::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nX, 1);
    AddDwordMember(&nY, 1);
    AddStrMember(&strName, 1);
}

int cWorldNode::Load(FILE* fp)
{
    return cDataRecord::Load(fp) && LoadRecordList(fp, Entry) ? 1 : 0;
}

int cWorldNode::Save(FILE* fp)
{
    int ok = cDataRecord::Save(fp);
    return SaveRecordList(fp, Entry) && ok;
}

void cWorldNode::Reset()
{
    Clear();
    Entry.Reset(1);
}
