#pragma once

// The hourglass over the whole program while short work runs without a wait window.

namespace tovel {

// Remembers the cursor in force and sets the hourglass. The pair is not nested: a second
// BeginWaitCursor before EndWaitCursor changes nothing.
void BeginWaitCursor();
// Puts the remembered cursor back; nothing when no hourglass was set.
void EndWaitCursor();
bool WaitCursorActive();

// BeginWaitCursor for the lifetime of the guard, EndWaitCursor at its end.
class WaitCursor {
public:
    WaitCursor() { BeginWaitCursor(); }
    ~WaitCursor() { EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace tovel
