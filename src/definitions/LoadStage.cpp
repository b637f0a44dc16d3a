#include "definitions/LoadStage.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "core/AppGlobals.h"
#include "core/CheckedAccess.h"
#include "core/FailureClose.h"
#include "core/FileReadScope.h"
#include "core/Paths.h"
#include "core/RecordFile.h"
#include "core/ReportLog.h"
#include "core/TextHelpers.h"
#include "definitions/StageBounds.h"
#include "definitions/cEdCommonPalette.h"
#include "graphics/Boxes.h"
#include "platform/win/Messages.h"
#include "platform/win/Threads.h"

namespace {

// How long the pumping thread waits for the loader between two looks at its queue, ms. The wait
// ends as soon as the loader does.
constexpr DWORD kPumpWaitMs = 1;
// Bytes of the version at the head of the file.
constexpr long kStageVersionBytes = 4;

// A record file of OpenDatLoad, closed with CloseDat.
using DatFile = std::unique_ptr<FILE, int (*)(FILE*)>;

// One read of a stage file, shared by LoadStage and the loader thread: LoadStage may give up on
// a loader that does not stop, and the loader must then still have a stage to write into.
struct StageLoadJob {
    std::string strPath;
    // The file, opened once by LoadStage for the end test and read from just after its version
    // by the loader, which closes it; nullptr when it could not be opened (the read then fails).
    DatFile file{nullptr, &CloseDat};
    cEdStage stage;
    std::atomic<int> bLoaded{0};
    // Bad indexes the file's data caused while it was read (members or strings beyond what a
    // record holds): the file is damaged.
    std::atomic<int> nBadIndexes{0};
    std::atomic<int> bDone{0};
};

// The job the loader thread works on. Kept here rather than handed to the thread, so that a
// loader stopped before it first ran (a close at once) leaves nothing to free; replaced by the
// next load.
std::atomic<std::shared_ptr<StageLoadJob>> loadingJob;

unsigned StageLoaderProc(void* lpParam)
{
    StageLoadJob& job = *static_cast<StageLoadJob*>(lpParam);
    FileReadScope scope;
    if (job.file && job.stage.Load(job.file.get()) && scope.BadIndexCount() == 0) {
        job.stage.m_bLoaded = 1;
        job.bLoaded.store(1);
    }
    job.nBadIndexes.store(scope.BadIndexCount());
    job.file.reset();
    job.bDone.store(1);
    return 0;
}

// The end test of CheckStageFileEnd on a file opened by OpenDatLoad, whose version is in
// nFileVersion: true when the file is older than the test or ends with the end code. Leaves the
// read position anywhere.
bool HasStageEnd(FILE* fp)
{
    if (nFileVersion < kStageEndCheckVersion) {
        return true;
    }
    std::int32_t last = 0;
    return std::fseek(fp, -4, SEEK_END) == 0 && ReadInt32(fp, last) && last == kStageEndCode;
}

// A refusal that closes the program: the reason goes to the report log before the box (a log that
// cannot be written does not keep the box from showing), then the close as a failure.
void ReportRefusalAndClose(const std::string& text)
{
    ReportLog("%s", text.c_str());
    ErrorBox(text.c_str());
    CloseForFailure();
}

// A file that fails the end test closes the program: the reason goes to the report log before
// the box, so that it is kept whatever the user does with the box.
void ReportDamagedStage(const char* szPath)
{
    static const std::string kBroken = Sjis("ステージファイル %s が破損しています！");
    std::string text;
    FormatString(text, kBroken.c_str(), szPath);
    ReportRefusalAndClose(text);
}

// The job of the last load that succeeded, holding the contents that Stage had before it. They
// are freed by the next load while its loader reads, when the calling thread only waits: a stage
// holds thousands of records, and freeing them would otherwise add to the time of every load.
std::atomic<std::shared_ptr<StageLoadJob>> retiredJob;

void FreeRetiredStage()
{
    retiredJob.exchange(nullptr);
}

void ShowLoadFailure(const std::string& path)
{
    static const std::string kFailed = Sjis("ステージファイル %s の読み込みに失敗しました！");
    ErrorBoxF(kFailed.c_str(), path.c_str());
}

// Runs the loader thread for job and serves this thread's messages until it has ended. 0 when a
// WM_QUIT came meanwhile: the loader is stopped and the quit posted again.
int RunLoader(const std::shared_ptr<StageLoadJob>& job)
{
    std::shared_ptr<StageLoadJob> previous = loadingJob.exchange(job);
    if (!StageLoaderThread.Start(StageLoaderProc, job.get())) {
        // An earlier loader still runs on its own job: keep that one alive.
        loadingJob.store(std::move(previous));
        return 1;  // nothing was read: reported as a failed read
    }
    FreeRetiredStage();
    for (;;) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ECLog("msg.message == WM_QUIT");
                StageLoaderThread.Exit();
                // The caller's own message loop must still see it, or the program would not end.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return 0;
            }
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        HANDLE h = StageLoaderThread.m_hThread.load();
        if (h == nullptr || WaitForSingleObject(h, kPumpWaitMs) != WAIT_TIMEOUT) {
            break;
        }
    }
    StageLoaderThread.Exit();
    return 1;
}

}  // namespace

void AdoptStage(cEdStage& loaded, const std::string& path, int bNewest, cEdStage* lpOut)
{
    Stage.TakeContents(loaded);
    Stage.m_strPath = path;
    Stage.m_bNewest = bNewest;
    Stage.m_bLoaded = 1;
    if (lpOut == nullptr || lpOut == &Stage) {
        return;
    }
    lpOut->CopyHeader(Stage);
    lpOut->m_PlacedBlock.clear();
    lpOut->m_PlacedChara.clear();
    lpOut->m_PlacedItem.clear();
    lpOut->m_PaletteBlock.clear();
    lpOut->m_PaletteChara.clear();
    lpOut->m_PaletteItem.clear();
}

int CheckStageFileEnd(const char* szPath)
{
    DatFile file(OpenDatLoad(szPath), &CloseDat);
    if (!file || HasStageEnd(file.get())) {
        return 1;
    }
    file.reset();
    ReportDamagedStage(szPath);
    return 0;
}

int LoadStage(const char* szName, int bNewest, cEdStage* lpOut)
{
    std::string path = szName != nullptr ? szName : "";
    ToGameSeparators(path);
    if (bNewest && !FindNewestNumberedFileStr(path, path, ExtTable[1].c_str())) {
        return 0;
    }
    MakeRelativePathStr(path);

    // The file is opened once: the end test (CheckStageFileEnd) looks at it, and the loader reads
    // it from just after its version.
    auto job = std::make_shared<StageLoadJob>();
    job->strPath = path;
    job->file.reset(OpenDatLoad(path.c_str()));
    if (job->file) {
        if (!HasStageEnd(job->file.get())) {
            job->file.reset();
            ReportDamagedStage(path.c_str());
            return 0;
        }
        if (std::fseek(job->file.get(), kStageVersionBytes, SEEK_SET) != 0) {
            job->file.reset();  // reported below as a failed read
        }
    }
    if (!RunLoader(job)) {
        return 0;
    }
    if (job->nBadIndexes.load() > 0) {
        ReportDamagedStage(path.c_str());
        return 0;
    }
    if (!job->bDone.load() || !job->bLoaded.load()) {
        ShowLoadFailure(path);
        return 0;
    }
    if (!IsPlayableStageSize(job->stage.m_nWidth, job->stage.m_nHeight)) {
        // Smaller than one screen, or a block map too large to hold: not a stage the editor
        // writes, and not one that stage play can set up.
        ReportLog("Stage size out of range : %d x %d", job->stage.m_nWidth, job->stage.m_nHeight);
        ReportDamagedStage(path.c_str());
        return 0;
    }
    if (!job->stage.HasHero()) {
        static const std::string kNoHero = Sjis("主人公が配置されていないのでプレイできません！");
        ReportRefusalAndClose(kNoHero);
        return 0;
    }
    AdoptStage(job->stage, job->strPath, bNewest, lpOut);
    retiredJob.store(std::move(job));
    return 1;
}
