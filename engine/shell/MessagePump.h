#pragma once

// Dispatches the window messages waiting in the queue, for one frame. A first press of a key or
// mouse button ends the batch, so the frame that follows sees it down even when its release is
// already queued behind it (a quick tap or click, or a slow frame). Auto-repeat key-downs (bit 30
// of lParam set) do not end it: on a frame slower than the repeat rate they would pile up and
// hold back the key's release. WM_QUIT is taken, not dispatched.
void DispatchWaitingMessages();
