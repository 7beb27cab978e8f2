#pragma once

// Dispatches the window messages waiting in the queue, for one frame. A key or mouse button
// press ends the batch, so the frame that follows sees it down even when its release is already
// queued behind it (a quick tap or click, or a slow frame). WM_QUIT is taken, not dispatched.
void DispatchWaitingMessages();
