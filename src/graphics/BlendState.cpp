#include "graphics/BlendState.h"

#include "graphics/BackEnd.h"

void DDSetDiffuse(D3DCOLOR dwColor)
{
    if (lpDTCon) lpDTCon->dwDiffuse = dwColor;
}

void DDResetDiffuse()
{
    DDSetDiffuse(0xFFFFFFFF);
}

void DDSetColorOp(DWORD dwOp)
{
    if (lpDTCon) lpDTCon->dwColorOp = dwOp;
}

void DDResetColorOp()
{
    DDSetColorOp(D3DTOP_MODULATE);
}

void DDSetAlphaOp(DWORD dwOp)
{
    if (lpDTCon) lpDTCon->dwAlphaOp = dwOp;
}

void DDResetAlphaOp()
{
    DDSetAlphaOp(D3DTOP_SELECTARG1);
}
