// cCodeErrorReports: which failing code texts were already reported during the current stage.
// A code line run by a flow every sub-step must not raise its error box every sub-step: the
// first failure of a text in a stage is shown and written to the report log, later ones go to
// the trace log only. Owned by the stage play (one per running stage, Reset at every start of
// a play); game thread only.
#pragma once

#include <string>
#include <unordered_set>

class cCodeErrorReports {
public:
    // True the first time text is noted since the last Reset.
    bool NoteFirst(const std::string& text) { return m_Reported.insert(text).second; }
    // Forgets every text.
    void Reset() { m_Reported.clear(); }
    // Number of distinct texts noted.
    std::size_t Count() const { return m_Reported.size(); }

private:
    std::unordered_set<std::string> m_Reported;
};
