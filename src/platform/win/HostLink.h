// Internal to the stand-in: the one place where the message functions reach the host.
//
// The main thread pumps the host and blocks in it while it waits for messages; posts to the main
// thread wake it; the main window and message boxes are shown by it. Everything goes through
// LinkedHost(), so that tests can put a fake host in place without SDL.
#pragma once

class Host;

namespace standin {

// The host the stand-in talks to: the one set by UseHostForTest, else the process host.
// Never null.
Host& LinkedHost();

// Tests: talk to `host` instead of the process host; nullptr goes back to the process host.
// The caller keeps ownership and must restore nullptr before destroying it.
void UseHostForTest(Host* host);

}  // namespace standin
