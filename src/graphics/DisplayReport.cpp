#include "graphics/DisplayReport.h"

#include <string>

#include "core/TextHelpers.h"
#include "graphics/BackEnd.h"

namespace {

// The answers the system's diagnostics would add (DirectX version, chip type, video memory text,
// DDI version, acceleration switches) are not available on this platform: like empty properties
// they are left out, and the lines come from what the device itself reports.

void WriteVideoMemory(FILE* fp)
{
    DDSCAPS2 caps;
    caps.dwCaps = DDSCAPS_VIDEOMEMORY;
    DWORD total = 0;
    DWORD free = 0;
    lpDD->GetAvailableVidMem(&caps, &total, &free);
    std::fprintf(fp, "VRAM Total : %.3fMB\n", total / 1048576.0);
    std::fprintf(fp, "VRAM Free : %.3fMB\n", free / 1048576.0);
    DWORD frequency = 0;
    if (FAILED(lpDD->GetMonitorFrequency(&frequency))) frequency = 0;
    std::fprintf(fp, "RR : %u\n", static_cast<unsigned>(frequency));
}

void WriteCapsDump(FILE* fp, const D3DCAPS9& caps)
{
    std::fprintf(fp, "DeviceType : %08X\n", static_cast<unsigned>(caps.DeviceType));
    std::fprintf(fp, "\tAdapterOrdinal : %08X\n", caps.AdapterOrdinal);
    std::fprintf(fp, "\tCaps : %08X\n", caps.Caps);
    std::fprintf(fp, "\tCaps2 : %08X\n", caps.Caps2);
    std::fprintf(fp, "\tCaps3 : %08X\n", caps.Caps3);
    std::fprintf(fp, "\tPresentationIntervals : %08X\n", caps.PresentationIntervals);
    std::fprintf(fp, "\tTextureCaps : %08X\n", caps.TextureCaps);
    std::fprintf(fp, "\tMaxTextureWidth : %08X\n", caps.MaxTextureWidth);
    std::fprintf(fp, "\tMaxTextureHeight : %08X\n", caps.MaxTextureHeight);
    std::fprintf(fp, "\tMaxTextureBlendStages : %08X\n", caps.MaxTextureBlendStages);
    std::fprintf(fp, "\tMaxSimultaneousTextures : %08X\n", caps.MaxSimultaneousTextures);
}

void WriteCapLines(FILE* fp, const D3DCAPS9& caps)
{
    if (caps.Caps3 & D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD)
        std::fputs("D3DCAPS3_ALPHA_FULLSCREEN_FLIP_OR_DISCARD\n", fp);
    if (caps.TextureCaps & D3DPTEXTURECAPS_POW2) std::fputs("D3DPTEXTURECAPS_POW2\n", fp);
    if (caps.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) std::fputs("D3DPTEXTURECAPS_SQUAREONLY\n", fp);
    if (caps.Caps2 & D3DCAPS2_DYNAMICTEXTURES) std::fputs("D3DCAPS2_DYNAMICTEXTURES\n", fp);
}

const std::string& FormatSymbol(HRESULT hr)
{
    static const std::string kSupported = Sjis("○ ");
    static const std::string kNotAvailable = Sjis("× ");
    static const std::string kInvalid = Sjis("？ ");
    static const std::string kOther = Sjis("－ ");
    if (hr == D3D_OK) return kSupported;
    if (hr == D3DERR_NOTAVAILABLE) return kNotAvailable;
    if (hr == D3DERR_INVALIDCALL) return kInvalid;
    return kOther;
}

void WriteFormatTable(FILE* fp, UINT adapter)
{
    struct Row {
        DWORD usage;
        const char* surface;
        const char* texture;
    };
    static const Row kRows[] = {
        {D3DUSAGE_AUTOGENMIPMAP, "AU-SU", "AU-TE"}, {D3DUSAGE_DEPTHSTENCIL, "DE-SU", "DE-TE"},
        {D3DUSAGE_DMAP, "DM-SU", "DM-TE"},          {D3DUSAGE_DONOTCLIP, "DO-SU", "DO-TE"},
        {D3DUSAGE_DYNAMIC, "DY-SU", "DY-TE"},       {D3DUSAGE_NPATCHES, "NP-SU", "NP-TE"},
        {D3DUSAGE_POINTS, "PO-SU", "PO-TE"},        {D3DUSAGE_RTPATCHES, "RT-SU", "RT-TE"},
        {D3DUSAGE_RENDERTARGET, "RE-SU", "RE-TE"},  {D3DUSAGE_SOFTWAREPROCESSING, "SO-SU", "SO-TE"},
        {D3DUSAGE_WRITEONLY, "WR-SU", "WR-TE"},
    };
    const D3DFORMAT display = lpDTCon->DisplayFormat;
    for (const Row& row : kRows) {
        const HRESULT surface =
            lpD3D->CheckDeviceFormat(adapter, lpDTCon->DeviceType, display, row.usage, D3DRTYPE_SURFACE, display);
        const HRESULT texture =
            lpD3D->CheckDeviceFormat(adapter, lpDTCon->DeviceType, display, row.usage, D3DRTYPE_TEXTURE, display);
        std::fprintf(fp, "%s%s%s%s\n", row.surface, FormatSymbol(surface).c_str(), row.texture,
                     FormatSymbol(texture).c_str());
    }
}

void WriteAdapter(FILE* fp, UINT adapter, int bFull)
{
    static const std::string kDevice = Sjis("---デバイス%d\n");
    std::fprintf(fp, kDevice.c_str(), static_cast<int>(adapter));
    D3DADAPTER_IDENTIFIER9 id;
    if (SUCCEEDED(lpD3D->GetAdapterIdentifier(adapter, 0, &id))) {
        const DWORD high = static_cast<DWORD>(id.DriverVersion.u.HighPart);
        const DWORD low = id.DriverVersion.u.LowPart;
        std::fprintf(fp, "Driver : %s %1d.%02d.%04d.%04d\n", id.Driver, HIWORD(high), LOWORD(high), HIWORD(low),
                     LOWORD(low));
    }
    D3DCAPS9 caps;
    if (FAILED(lpD3D->GetDeviceCaps(adapter, lpDTCon->DeviceType, &caps))) return;
    std::fprintf(fp, "TextureMaxSize : (%d,%d)\n", static_cast<int>(caps.MaxTextureWidth),
                 static_cast<int>(caps.MaxTextureHeight));
    std::fprintf(fp, "TextureMaxBlend : (%d,%d)\n", static_cast<int>(caps.MaxTextureBlendStages),
                 static_cast<int>(caps.MaxSimultaneousTextures));
    if (bFull) WriteCapsDump(fp, caps);
    WriteCapLines(fp, caps);
    if (bFull) WriteFormatTable(fp, adapter);
}

}  // namespace

void WriteDisplayLines(FILE* fp, int bFull)
{
    if (fp == nullptr) return;
    std::fputs(bWindowMode ? "Mode : Window\n" : "Mode : Fullscreen\n", fp);
    std::fprintf(fp, "Bpp : %d\n", nScreenBpp);
    if (lpDD != nullptr) WriteVideoMemory(fp);
    if (lpDTCon) WriteDxDiagReport(fp, bFull);
}

int WriteDxDiagReport(FILE* fp, int bFull)
{
    if (!lpDTCon || lpD3D == nullptr || lpDevice == nullptr || fp == nullptr) return 0;
    std::fprintf(fp, "TextureMem : %dMB\n", static_cast<int>(lpDevice->GetAvailableTextureMem() >> 20));
    const UINT adapters = lpD3D->GetAdapterCount();
    for (UINT adapter = 0; adapter < adapters; ++adapter) WriteAdapter(fp, adapter, bFull);
    return 1;
}
