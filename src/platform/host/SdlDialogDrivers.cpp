#include "platform/host/SdlDialogDrivers.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/host/DialogPainter.h"
#include "platform/host/SdlKeyMap.h"
#include "platform/hostapi/Host.h"
#include "platform/win/CodePage.h"
#include "platform/win/Keyboard.h"
#include "platform/win/Messages.h"

namespace {

struct WindowDeleter {
    void operator()(SDL_Window* p) const { SDL_DestroyWindow(p); }
};
struct RendererDeleter {
    void operator()(SDL_Renderer* p) const { SDL_DestroyRenderer(p); }
};
struct TextureDeleter {
    void operator()(SDL_Texture* p) const { SDL_DestroyTexture(p); }
};

// A window showing pictures of one size; picture rows above skipRows are left out (a caption the
// window's own frame already shows).
class PictureWindow {
public:
    bool Open(const std::string& titleSjis, int x, int y, int width, int height)
    {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "SDL: no video for a dialog: %s\n", SDL_GetError());
            return false;
        }
        m_window.reset(SDL_CreateWindow(Cp932ToUtf8(titleSjis).c_str(), x, y, width, height,
                                        SDL_WINDOW_SHOWN | SDL_WINDOW_ALWAYS_ON_TOP));
        if (!m_window) {
            std::fprintf(stderr, "SDL: the dialog window could not be opened: %s\n", SDL_GetError());
            return false;
        }
        m_renderer.reset(SDL_CreateRenderer(m_window.get(), -1, SDL_RENDERER_SOFTWARE));
        if (m_renderer) {
            m_texture.reset(SDL_CreateTexture(m_renderer.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                              width, height));
        }
        if (!m_texture) {
            std::fprintf(stderr, "SDL: no renderer for a dialog: %s\n", SDL_GetError());
            m_renderer.reset();
            m_window.reset();
            return false;
        }
        m_width = width;
        m_height = height;
        SDL_RaiseWindow(m_window.get());
        SDL_StartTextInput();
        return true;
    }
    ~PictureWindow()
    {
        if (m_window) {
            SDL_StopTextInput();
        }
    }
    void Show(const HostFrame& picture, int skipRows)
    {
        const int rows = std::min(m_height, picture.height - skipRows);
        if (rows <= 0 || picture.width != m_width) {
            return;
        }
        SDL_UpdateTexture(m_texture.get(), nullptr, picture.pixels.data() + static_cast<long>(skipRows) * m_width,
                          m_width * 4);
        SDL_RenderClear(m_renderer.get());
        SDL_RenderCopy(m_renderer.get(), m_texture.get(), nullptr, nullptr);
        SDL_RenderPresent(m_renderer.get());
    }
    Uint32 Id() const { return SDL_GetWindowID(m_window.get()); }

private:
    std::unique_ptr<SDL_Window, WindowDeleter> m_window;
    std::unique_ptr<SDL_Renderer, RendererDeleter> m_renderer;
    std::unique_ptr<SDL_Texture, TextureDeleter> m_texture;
    int m_width = 0;
    int m_height = 0;
};

// The window an event belongs to, 0 for events of no window.
Uint32 EventWindow(const SDL_Event& ev)
{
    switch (ev.type) {
    case SDL_WINDOWEVENT: return ev.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP: return ev.key.windowID;
    case SDL_TEXTINPUT: return ev.text.windowID;
    case SDL_TEXTEDITING: return ev.edit.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: return ev.button.windowID;
    default: return 0;
    }
}

// A quit request that ended a run is the program's too: put it back for the host to see.
void PassOnQuit(bool bQuit)
{
    if (bQuit) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

}  // namespace

void SdlDialogDriver::Run(DialogRun& dialog)
{
    const HostFrame first = PaintDialog(dialog);
    const int skip = dialog.Template().bCaption ? kCaptionHeight : 0;
    // The window's client area sits inside the frame whose outer corner is the dialog's position.
    const int clientX = dialog.Position().x + GetSystemMetrics(SM_CXDLGFRAME);
    const int clientY = dialog.Position().y + GetSystemMetrics(SM_CYDLGFRAME) +
                        (dialog.Template().bCaption ? GetSystemMetrics(SM_CYCAPTION) : 0);
    PictureWindow window;
    if (!window.Open(dialog.Caption(), clientX, clientY, first.width, first.height - skip)) {
        return;
    }
    if (dialog.HasCursorPoint()) {
        SDL_WarpMouseGlobal(dialog.CursorPoint().x, dialog.CursorPoint().y);
    }
    window.Show(first, skip);
    bool bQuit = false;
    while (!dialog.Ended()) {
        SDL_Event ev;
        if (SDL_WaitEventTimeout(&ev, 100) == 0) {
            window.Show(PaintDialog(dialog), skip);
            continue;
        }
        if (ev.type == SDL_QUIT) {
            bQuit = true;
            dialog.CloseRequest();
            continue;
        }
        if (EventWindow(ev) != window.Id()) {
            continue;
        }
        switch (ev.type) {
        case SDL_WINDOWEVENT:
            if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
                dialog.CloseRequest();
            }
            break;
        case SDL_KEYDOWN:
            dialog.KeyDown(GenericVk(SdlScancodeToVk(ev.key.keysym.scancode)), (ev.key.keysym.mod & KMOD_SHIFT) != 0,
                           ev.key.timestamp);
            break;
        case SDL_TEXTINPUT: dialog.TextInput(ev.text.text, ev.text.timestamp); break;
        case SDL_TEXTEDITING: dialog.TextEditing(ev.edit.text); break;
        case SDL_MOUSEBUTTONDOWN:
            if (ev.button.button == SDL_BUTTON_LEFT) {
                const int id = DialogItemAt(dialog, ev.button.x, ev.button.y + skip);
                if (id != 0) {
                    dialog.Click(id);
                }
            }
            break;
        default: break;
        }
        if (!dialog.Ended()) {
            window.Show(PaintDialog(dialog), skip);
        }
    }
    PassOnQuit(bQuit);
}

namespace {

void KeepSelectionShown(ChooserCursor& cursor, int count)
{
    cursor.selected = std::clamp(cursor.selected, count > 0 ? 0 : -1, count - 1);
    if (cursor.selected >= 0) {
        cursor.top = std::clamp(cursor.top, cursor.selected - kChooserRows + 1, cursor.selected);
    } else {
        cursor.top = 0;
    }
}

void ChooserKey(FileChooser& chooser, ChooserCursor& cursor, int vk)
{
    const int count = static_cast<int>(chooser.Entries().size());
    if (chooser.AskingOverwrite()) {
        if (vk == 'Y' || vk == VK_RETURN) {
            chooser.AnswerOverwrite(true);
        } else if (vk == 'N' || vk == VK_ESCAPE) {
            chooser.AnswerOverwrite(false);
        }
        return;
    }
    switch (vk) {
    case VK_ESCAPE: chooser.Cancel(); return;
    case VK_TAB: cursor.bNameFocused = !cursor.bNameFocused; return;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        const int step = vk == VK_UP ? -1 : vk == VK_DOWN ? 1 : vk == VK_PRIOR ? -kChooserRows : kChooserRows;
        cursor.bNameFocused = false;
        cursor.selected = cursor.selected < 0 ? 0 : cursor.selected + step;
        KeepSelectionShown(cursor, count);
        return;
    }
    case VK_BACK:
        if (!cursor.bNameFocused || chooser.Name().empty()) {
            chooser.Up();
            cursor = ChooserCursor{-1, 0, cursor.bNameFocused};
        } else {
            std::string name = chooser.Name();
            std::size_t last = 0;
            for (std::size_t i = 0; i < name.size(); i += IsDBCSLeadByte(static_cast<BYTE>(name[i])) ? 2 : 1) {
                last = i;
            }
            name.resize(last);
            chooser.TypeName(name);
        }
        return;
    case VK_RETURN:
        if (!cursor.bNameFocused && cursor.selected >= 0 && cursor.selected < count) {
            const std::string name = chooser.Entries()[static_cast<std::size_t>(cursor.selected)].name;
            chooser.Activate(name);
            cursor = ChooserCursor{-1, 0, false};
        } else {
            chooser.Accept();
            cursor = ChooserCursor{-1, 0, true};
        }
        return;
    default: return;
    }
}

}  // namespace

void SdlFileChooserDriver::Run(FileChooser& chooser)
{
    ChooserCursor cursor;
    PictureWindow window;
    if (!window.Open(chooser.Request().title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kChooserWidth,
                     kChooserHeight - kCaptionHeight)) {
        return;
    }
    Uint32 lastClick = 0;
    int lastEntry = -1;
    bool bQuit = false;
    while (!chooser.Ended()) {
        window.Show(PaintFileChooser(chooser, cursor), kCaptionHeight);
        SDL_Event ev;
        if (SDL_WaitEventTimeout(&ev, 100) == 0) {
            continue;
        }
        if (ev.type == SDL_QUIT) {
            bQuit = true;
            chooser.Cancel();
            continue;
        }
        if (EventWindow(ev) != window.Id()) {
            continue;
        }
        switch (ev.type) {
        case SDL_WINDOWEVENT:
            if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
                chooser.Cancel();
            }
            break;
        case SDL_KEYDOWN: ChooserKey(chooser, cursor, GenericVk(SdlScancodeToVk(ev.key.keysym.scancode))); break;
        case SDL_TEXTINPUT: {
            std::string sjis;
            if (!chooser.AskingOverwrite() && Utf8ToCp932(ev.text.text, sjis)) {
                chooser.TypeName(chooser.Name() + sjis);
                cursor.bNameFocused = true;
            }
            break;
        }
        case SDL_MOUSEBUTTONDOWN: {
            if (ev.button.button != SDL_BUTTON_LEFT) {
                break;
            }
            int entry = -1;
            switch (FileChooserAreaAt(chooser, cursor, ev.button.x, ev.button.y + kCaptionHeight, entry)) {
            case ChooserArea::Entry: {
                const bool bDouble = entry == lastEntry && ev.button.timestamp - lastClick < 500;
                lastClick = ev.button.timestamp;
                lastEntry = entry;
                cursor.selected = entry;
                cursor.bNameFocused = false;
                const FindEntry& chosen = chooser.Entries()[static_cast<std::size_t>(entry)];
                if (!chosen.bDirectory) {
                    chooser.TypeName(chosen.name);
                }
                if (bDouble) {
                    chooser.Activate(std::string(chosen.name));
                    cursor = ChooserCursor{-1, 0, false};
                    lastEntry = -1;
                }
                break;
            }
            case ChooserArea::Name: cursor.bNameFocused = true; break;
            case ChooserArea::Ok:
                if (!cursor.bNameFocused && cursor.selected >= 0 &&
                    chooser.Entries()[static_cast<std::size_t>(cursor.selected)].bDirectory) {
                    chooser.Activate(std::string(chooser.Entries()[static_cast<std::size_t>(cursor.selected)].name));
                    cursor = ChooserCursor{-1, 0, false};
                } else {
                    chooser.Accept();
                }
                break;
            case ChooserArea::Cancel: chooser.Cancel(); break;
            case ChooserArea::Yes: chooser.AnswerOverwrite(true); break;
            case ChooserArea::No: chooser.AnswerOverwrite(false); break;
            case ChooserArea::None: break;
            }
            break;
        }
        default: break;
        }
    }
    PassOnQuit(bQuit);
}

void InstallScreenDialogDrivers()
{
    static SdlDialogDriver s_dialogDriver;
    static SdlFileChooserDriver s_chooserDriver;
    if (!GetHost().IsHeadless()) {
        SetDialogDriver(&s_dialogDriver);
        SetFileChooserDriver(&s_chooserDriver);
    }
}
