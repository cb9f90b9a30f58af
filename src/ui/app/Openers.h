#pragma once

// The window openers: each creates its window, runs its initialisation, shows it modally and
// always destroys it afterwards, also when an error passes through. Windows of later builds
// add their openers here.

namespace tovel {

// The About box.
void OpenAbout();

// The options dialog; true when it was confirmed with OK.
bool OpenOptions();

} // namespace tovel
