#pragma once

// The inventory window's rules for its list and its file: reading into the list without losing
// it to a failed read, and saving the changes before the list goes.

#include "core/collection/Inventory.h"
#include "core/infra/Prompts.h"

#include <functional>
#include <string>

namespace tovel {

// Appends a copy of every line of `from` to `to`.
void AppendInventoryCopy(const TInventoryList& from, TInventoryList& to);

// Runs `read` on a list of its own (a copy of `list` when adding, else empty), which replaces
// `list` only once `read` is done: while it runs (and shows its messages) `list` stays as it
// is, and a read that fails leaves it so.
void ReadInventoryReplacing(TInventoryList& list, bool add, const std::function<void(TInventoryList&)>& read);

// The question on closing or clearing a changed inventory (Yes/No/Cancel): No drops the
// changes, Cancel keeps the window. Yes saves the default inventory in place; another file asks
// for a name first (starting at the current file) and, for an existing file, `replaceQuestion`;
// cancelling either drops the changes. A save that fails shows its error and keeps the window.
// Returns whether the window may go on.
bool SaveInventoryChanges(const TInventoryList& list, const std::string& currentFile,
                          const std::string& defaultFile, const std::string& question,
                          const TReplaceQuestion& replaceQuestion);

} // namespace tovel
