#pragma once

namespace audio {

// Asks for the calling thread to run before the desktop's ordinary work, as sound servers'
// clients do, so that a busy machine does not starve it of its few milliseconds: FIFO scheduling
// at a low priority, under the servers' own, not passed to children. Where the system does not
// allow it, nothing changes and false says so; the sound works on without it. A limit of real-
// time CPU time is set first where none is, so that a thread spinning by mistake is stopped
// rather than freezing the machine.
bool askForRealtime();

} // namespace audio
