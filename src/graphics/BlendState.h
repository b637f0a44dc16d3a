// The Direct3D blend state of the next blits, kept in DTCONTROL: the vertex colour and the texture
// stage 0 colour and alpha operations. A routine that changes it resets it before returning.
// The setters do nothing without Direct3D. Game thread.
#pragma once

#include "platform/d3d9/D3D9Types.h"

// The vertex colour of the quads (default 0xFFFFFFFF).
void DDSetDiffuse(D3DCOLOR dwColor);
void DDResetDiffuse();
// Stage 0 colour operation, arguments texture and diffuse (default D3DTOP_MODULATE).
void DDSetColorOp(DWORD dwOp);
void DDResetColorOp();
// Stage 0 alpha operation, arguments texture and diffuse (default D3DTOP_SELECTARG1).
void DDSetAlphaOp(DWORD dwOp);
void DDResetAlphaOp();
