#include "platform/win/FileChooserDriver.h"

#include "platform/win/DialogDriver.h"

namespace {

FileChooserDriver* g_fileChooserDriver = nullptr;  // main thread

FileChooserView ViewOf(const FileChooser& chooser)
{
    return FileChooserView{chooser.Folder(), chooser.Entries(), chooser.Name(), chooser.Notice(),
                           chooser.AskingOverwrite()};
}

}  // namespace

void SetFileChooserDriver(FileChooserDriver* driver)
{
    g_fileChooserDriver = driver;
}

bool RunFileChooser(FileChooser& chooser)
{
    if (g_fileChooserDriver != nullptr) {
        g_fileChooserDriver->Run(chooser);
    }
    if (!chooser.Ended()) {
        chooser.Cancel();
    }
    TakeBackKeyboardAfterDialog();
    return chooser.Chosen();
}

void ScriptedFileChooserDriver::Run(FileChooser& chooser)
{
    m_requests.push_back(chooser.Request());
    m_views.clear();
    m_views.push_back(ViewOf(chooser));
    const std::vector<FileChooserInput> none;
    const std::vector<FileChooserInput>& script = m_nextScript < m_scripts.size() ? m_scripts[m_nextScript] : none;
    ++m_nextScript;
    for (const FileChooserInput& input : script) {
        if (chooser.Ended()) {
            break;
        }
        switch (input.kind) {
        case FileChooserInput::Kind::Type: chooser.TypeName(input.text); break;
        case FileChooserInput::Kind::Activate: chooser.Activate(input.text); break;
        case FileChooserInput::Kind::Up: chooser.Up(); break;
        case FileChooserInput::Kind::Accept: chooser.Accept(); break;
        case FileChooserInput::Kind::Yes:
        case FileChooserInput::Kind::No: chooser.AnswerOverwrite(input.kind == FileChooserInput::Kind::Yes); break;
        case FileChooserInput::Kind::Cancel: chooser.Cancel(); break;
        }
        m_views.push_back(ViewOf(chooser));
    }
    if (!chooser.Ended()) {
        chooser.Cancel();
    }
}
