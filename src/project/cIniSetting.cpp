#include "project/cIniSetting.h"

cIniSetting::cIniSetting()
{
    RegisterMembers(nDataVersion);
}

void cIniSetting::RegisterMembers(int)
{
    ClearMemberList();
    AddDwordMember(&nKind, 1);
    AddDwordMember(&nValue, 1);
    AddStrMember(&strName, 1);
    AddStrMember(&strText, 1);
}

void cIniSetting::SetValue(const std::string& name, int value)
{
    strName = name;
    nKind = kInteger;
    nValue = value;
}

void cIniSetting::SetText(const std::string& name, const std::string& text)
{
    strName = name;
    nKind = kText;
    strText = text;
}
