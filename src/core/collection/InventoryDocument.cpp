#include "core/collection/InventoryDocument.h"

#include <exception>

namespace tovel {

void AppendInventoryCopy(const TInventoryList& from, TInventoryList& to) {
    for (int i = 0; i < from.Count(); ++i) {
        const TInventoryItem& line = from.Items(i);
        TInventoryItem& copy = to.Add();
        copy.Card = line.Card;
        copy.Name = line.Name;
        copy.Edition = line.Edition;
        copy.Count = line.Count;
        copy.Foil = line.Foil;
        copy.Notes = line.Notes;
    }
}

void ReadInventoryReplacing(TInventoryList& list, bool add,
                            const std::function<void(TInventoryList&)>& read) {
    TInventoryList scratch;
    if (add)
        AppendInventoryCopy(list, scratch);
    read(scratch);
    list.Swap(scratch);
}

bool SaveInventoryChanges(const TInventoryList& list, const std::string& currentFile,
                          const std::string& defaultFile, const std::string& question,
                          const TReplaceQuestion& replaceQuestion) {
    switch (Prompts().Confirm(question, ConfirmButtons::YesNoCancel)) {
    case Answer::Yes:
        break;
    case Answer::No:
        return true;
    default:
        return false;
    }
    std::string file = currentFile;
    if (file != defaultFile) {
        file = AskSaveTarget(currentFile, kInventoryExtension, kInventoryFilter, replaceQuestion);
        if (file.empty())
            return true;
    }
    try {
        SaveInventory(list, file);
    } catch (const std::exception& e) {
        ShowError(e.what());
        return false;
    }
    return true;
}

} // namespace tovel
