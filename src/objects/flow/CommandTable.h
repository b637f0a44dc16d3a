// The action-command table the flow runtime calls for one sub-step of a command: one handler per
// command kind 0..36, indexed by the kind byte and range-checked, so a kind read from a file that
// lies outside the table never calls through a wild entry. Handlers are registered by the
// command families at start-up; a kind without a handler does nothing for its sub-step (it only
// lasts its duration). Game thread only (registration before the first stage).
#pragma once

#include "objects/flow/FlowContext.h"

// A command handler: one sub-step of the command ctx.Command() of flow ctx.Flow() of the
// character ctx.Chara(). Its result is not used.
using CommandHandler = int (*)(const FLOWCONTEXT& ctx);

class CommandFuncTable {
public:
    static constexpr int kKindCount = 37;

    // Installs (or with nullptr removes) the handler of kind nKind; a kind outside 0..36 is
    // refused (0), else 1.
    static int Register(int nKind, CommandHandler handler);
    // Runs the handler of nKind for one sub-step. A kind outside the table acts as kind 0 (does
    // nothing) and is written to the report log once per kind and run of the program.
    static void Run(int nKind, const FLOWCONTEXT& ctx);
    // Removes every handler (tests).
    static void Clear();
};
