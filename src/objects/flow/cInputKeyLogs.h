// The press logs of an input controller as the key-input conditions read them: direction logs
// 0..9 as logs 0..9, button logs 0..8 as logs 10..18. Game thread only.
#pragma once

#include "input/cInput.h"
#include "objects/flow/KeyLogView.h"

class cInputKeyLogs : public cKeyLogView {
public:
    explicit cInputKeyLogs(const cInput& input) : m_Input(input) {}

    int RunCount(int nLog) const override;
    std::int32_t RunPressed(int nLog, int nRun) const override { return Log(nLog)[nRun].pressed; }
    std::int32_t RunLength(int nLog, int nRun) const override { return Log(nLog)[nRun].length; }

private:
    const KeyLog& Log(int nLog) const;

    const cInput& m_Input;
};
