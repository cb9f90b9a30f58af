#pragma once

// Marks a text of the core that the windows show, so that the translation tools collect it
// under `context`; the window layer looks it up there when it shows the text. The core itself
// always keeps the original text.
#define TOVEL_TRANSLATABLE(context, text) text
