// The action commands that make objects appear around the character running them: "ショット"
// (11) launches volleys of shots every tenth of a second while it lasts, "ソード" (12) swings one
// sword on its first step, and the three summons (13 blocks, 14 characters, 15 items) launch every
// tenth of a second. All take their settings from the command's shot record. Game thread.
#pragma once

// Registers kinds 11..15 in the action-command table.
void InstallShotCommands();
