// ICodeChara: a character as the expression evaluator reaches it. The game objects implement it
// for their characters and the player; the evaluator reads and writes statuses only through it.
// Game thread only.
#pragma once

#include <cstdint>

class ICodeChara {
public:
    virtual ~ICodeChara() = default;

    // The stored value of character status nStatus (CODECHARASTATUS, 0..21).
    virtual std::int32_t GetCodeStatus(int nStatus) const = 0;
    // Stores value (already clamped into the status's range, so it fits the storage width) into
    // status nStatus. Only the stored value changes: no trigger, gauge or death follows.
    virtual void SetCodeStatus(int nStatus, std::int32_t value) = 0;
    // True for a character operated by a player (operator value 0).
    virtual bool IsPlayerOperated() const = 0;
    // Starts the HP or SP gauge for a change of delta (new value minus old; never 0).
    virtual void StartHpGauge(int delta) = 0;
    virtual void StartSpGauge(int delta) = 0;
    // The sight status of a player-operated character changed: its sight radius becomes the new
    // range x 16 pixels and the stage rebuilds the sight overlay.
    virtual void OnSightChanged() = 0;
};
