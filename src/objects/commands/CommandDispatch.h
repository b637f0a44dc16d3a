// The action commands' entries in the command table: installs the handler of every command kind
// that is built (the kinds without a handler only last their duration). Called once before the
// first stage is played, on the thread that will run the play (the game thread); calling it again
// changes nothing.
#pragma once

void InstallActionCommands();
