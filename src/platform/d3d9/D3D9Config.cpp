#include "platform/d3d9/D3D9Config.h"

#include "platform/d3d9/D3D9PixelFormat.h"

D3DCAPS9 DefaultD3D9Caps()
{
    D3DCAPS9 caps;
    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.AdapterOrdinal = 0;
    caps.Caps2 = D3DCAPS2_DYNAMICTEXTURES;
    caps.Caps3 = D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD;
    caps.PresentationIntervals = D3DPRESENT_INTERVAL_ONE | D3DPRESENT_INTERVAL_IMMEDIATE;
    caps.TextureCaps = 0;
    caps.MaxTextureWidth = 4096;
    caps.MaxTextureHeight = 4096;
    caps.MaxTextureBlendStages = 8;
    caps.MaxSimultaneousTextures = 8;
    return caps;
}

HRESULT DefaultCheckDeviceFormat(DWORD usage, D3DRESOURCETYPE type, D3DFORMAT format)
{
    if (type != D3DRTYPE_SURFACE && type != D3DRTYPE_TEXTURE) return D3DERR_INVALIDCALL;
    constexpr DWORD kBufferUsages = D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING | D3DUSAGE_DONOTCLIP |
                                    D3DUSAGE_POINTS | D3DUSAGE_RTPATCHES | D3DUSAGE_NPATCHES;
    if (usage & kBufferUsages) return D3DERR_INVALIDCALL;
    if (!D3D9IsColorFormat(format)) return D3DERR_NOTAVAILABLE;
    constexpr DWORD kUnsupported = D3DUSAGE_DEPTHSTENCIL | D3DUSAGE_AUTOGENMIPMAP | D3DUSAGE_DMAP;
    if (usage & kUnsupported) return D3DERR_NOTAVAILABLE;
    constexpr DWORD kSupported = D3DUSAGE_RENDERTARGET | D3DUSAGE_DYNAMIC;
    return (usage & ~kSupported) == 0 ? D3D_OK : D3DERR_INVALIDCALL;
}

namespace {

D3D9Settings MakeDefaults()
{
    D3D9Settings s;
    s.caps = DefaultD3D9Caps();
    return s;
}

}  // namespace

D3D9Settings& D3D9Config()
{
    static D3D9Settings settings = MakeDefaults();
    return settings;
}

void ResetD3D9Config()
{
    D3D9Config() = MakeDefaults();
}
