// Everything of the Direct3D 9 stand-in the graphics engine calls: include this one header.
#pragma once

#include "platform/d3d9/D3D9Types.h"
#include "platform/d3d9/IDirect3D9.h"
#include "platform/d3d9/IDirect3DDevice9.h"
#include "platform/d3d9/IDirect3DIndexBuffer9.h"
#include "platform/d3d9/IDirect3DSurface9.h"
#include "platform/d3d9/IDirect3DTexture9.h"
#include "platform/d3d9/IDirect3DVertexBuffer9.h"
