// The press logs of an input controller as the key-input conditions read them: direction logs
// 0..9 as logs 0..9, button logs 0..8 as logs 10..18. Game thread only.
#pragma once

#include "input/cInput.h"
#include "objects/flow/KeyLogView.h"

class cInputKeyLogs : public cKeyLogView {
public:
    explicit cInputKeyLogs(const cInput& input) : m_Input(input) {}

    std::span<const KEYLOGRUN> Runs(int nLog) const override;

private:
    const cInput& m_Input;
};
