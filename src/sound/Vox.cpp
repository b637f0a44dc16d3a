#include "sound/Vox.h"

#include <string>

#include "core/AppGlobals.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "platform/win/Messages.h"

namespace {

// The engine's error box (caption "エラー"); it waits for the user. Also written to the logs.
void ShowError(const std::string& text)
{
    ReportLogECBox("%s", text.c_str());
}

// Out of memory: the box, then the program closes in order.
void ReportOutOfMemory()
{
    static const std::string kText = Sjis("メモリが不足しています！");
    ShowError(kText);
    if (HWND hWnd = hWndMain.load()) PostMessage(hWnd, WM_CLOSE, 0, 0);
}

}  // namespace

cVox::~cVox()
{
    UnInit();
}

int cVox::Init()
{
    m_hDll = LoadLibraryA("Vox.dll");
    if (m_hDll != nullptr) m_lpCreateVox = reinterpret_cast<CREATEVOX>(GetProcAddress(m_hDll, "CreateVox"));
    if (m_lpCreateVox == nullptr) {
        static const std::string kFailed = Sjis("oggの初期化に失敗！");
        ShowError(kFailed);
        return 0;
    }
    return 1;
}

int cVox::Create(int n)
{
    DestroyPlayers();
    m_nCount = n > 0 ? n : 0;
    if (m_lpCreateVox == nullptr) return 0;
    m_lpPlayer.assign(static_cast<std::size_t>(m_nCount), nullptr);
    for (VoxPlayer*& player : m_lpPlayer) {
        player = m_lpCreateVox();
        if (player == nullptr) {
            ReportOutOfMemory();
            return 0;
        }
    }
    return 1;
}

int cVox::Play(int nPlayer, const char* szPath, int bLoop)
{
    if (szPath == nullptr || *szPath == '\0') return 0;
    Stop();
    VoxPlayer* player = Player(nPlayer);
    if (player == nullptr) return 0;
    player->Reset();
    if (!player->Open(szPath)) {
        // A missing file is the caller's to handle; one that is there but cannot be read is
        // written to the report log.
        if (GetFileAttributesA(szPath) != INVALID_FILE_ATTRIBUTES) {
            ReportLog("Music file cannot be read : %s", szPath);
        }
        m_nPlaying = -1;
        return 0;
    }
    player->SetLoop(bLoop ? VOX_LOOP_ENDLESS : 0);
    player->Play();
    m_nPlaying = nPlayer;
    return 1;
}

void cVox::Stop()
{
    if (m_nPlaying == -1) return;
    if (VoxPlayer* player = Player(m_nPlaying)) player->Stop();
    m_nPlaying = -1;
}

int cVox::UnInit()
{
    DestroyPlayers();
    int result = 0;
    if (m_hDll != nullptr) {
        result = FreeLibrary(m_hDll);
        m_hDll = nullptr;
    }
    m_lpCreateVox = nullptr;
    return result;
}

VoxPlayer* cVox::Player(int n) const
{
    return n >= 0 && static_cast<std::size_t>(n) < m_lpPlayer.size() ? m_lpPlayer[n] : nullptr;
}

void cVox::DestroyPlayers()
{
    for (VoxPlayer*& player : m_lpPlayer) {
        if (player != nullptr) player->Destroy();
        player = nullptr;
    }
    m_lpPlayer.clear();
    m_nPlaying = -1;
}
