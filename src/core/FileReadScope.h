// FileReadScope: marks the reading of a file whose bad data must not close the program: one of
// the user's own files (options, saves, rankings, replays), so that a damaged one cannot lock
// the user out, or a stage file, which its loader then refuses with its own message.
//
// While a scope lives on a thread, a bad index that the checked access reports on that thread
// (ReportBadIndex) is logged and counted here instead of asking the program to close, and a
// record with members or strings beyond its registration stops reading there (its load fails).
// Scopes nest; the innermost counts. Lives on one thread, on the stack.
#pragma once

class FileReadScope {
public:
    FileReadScope();
    ~FileReadScope();
    FileReadScope(const FileReadScope&) = delete;
    FileReadScope& operator=(const FileReadScope&) = delete;

    // Bad indexes reported on this thread since the scope began.
    int BadIndexCount() const { return m_nBadIndexes; }
    // True while a scope lives on the calling thread.
    static bool Active();
    // Counts one bad index in the innermost scope of this thread: true when there is one (the
    // program is then not asked to close), false when none lives here.
    static bool CountBadIndex();

private:
    FileReadScope* m_pOuter;
    int m_nBadIndexes = 0;
};
