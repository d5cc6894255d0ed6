#pragma once

namespace audio {

// Asks for the calling thread to run before the desktop's ordinary work, as sound servers'
// clients do, so that a busy machine does not starve it of its few milliseconds: FIFO scheduling
// at a low priority, under the servers' own, not passed to children. Where the system allows it
// directly (root, or a real-time limit of our own) it is done at once; otherwise the desktop's
// RealtimeKit is asked, on a thread of its own, so that a slow or missing bus holds up nothing.
// Where neither allows it, nothing changes; the sound works on without it. A limit of real-time
// CPU time is set first, as RealtimeKit requires, so that a thread spinning by mistake is
// stopped rather than freezing the machine.
void askForRealtime();

} // namespace audio
