// The wait for the next event and its one-message pump.
#pragma once

namespace zr590 {

// One pass of the message pump. When the queue is empty and nothing else can happen (no
// script playing, no periodic event about to be staged) it blocks until a message arrives,
// after copying a changed picture to the window.
void pump_one_message();

}  // namespace zr590
