#pragma once

// Windows that open in the middle of the screen rather than over the window that opened them.

class QWidget;

namespace tovel {

// From now on, each time the window is shown it is centred on the free area of its screen; a
// window larger than that area keeps its top-left corner on the screen.
void CentreOnScreen(QWidget* window);

} // namespace tovel
