#include "app/SingleInstance.h"

#include <string>

#include "core/TextHelpers.h"
#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"

namespace {

const std::string& Caption()
{
    static const std::string kCaption = Sjis("二重起動");
    return kCaption;
}

// Creates the folder part of a game path (one level, as the lock lives directly in it).
void MakeParentFolder(const char* szPath)
{
    const std::string path = szPath;
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && slash > 0) {
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
}

}  // namespace

InstanceOutcome TakeSingleInstance(InstanceLock& lock, const char* szLockPath, std::function<void()> onCloseRequest,
                                   DWORD waitMs)
{
    MakeParentFolder(szLockPath);
    switch (lock.TryAcquire(szLockPath, std::move(onCloseRequest))) {
    case InstanceLock::Result::Acquired: return InstanceOutcome::Run;
    case InstanceLock::Result::Failed: return InstanceOutcome::Run;  // the caller logs it (lock not held)
    case InstanceLock::Result::Busy: break;
    }
    static const std::string kQuestion =
        Sjis("既に起動しています。\n実行中のプログラムを閉じて再起動しますか？\n\nRunning this program now. Restart?");
    if (MessageBoxA(nullptr, kQuestion.c_str(), Caption().c_str(), MB_YESNO) != IDYES) {
        return InstanceOutcome::Declined;
    }
    if (lock.RequestClose(kInstanceRequestMs) && lock.WaitAndAcquire(waitMs)) {
        return InstanceOutcome::Run;
    }
    static const std::string kFailed = Sjis("プログラムの終了に失敗しました。");
    MessageBoxA(nullptr, kFailed.c_str(), Caption().c_str(), MB_OK);
    return InstanceOutcome::Failed;
}
