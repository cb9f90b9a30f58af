#pragma once

#include "core/infra/Prompts.h"

#include <QString>

namespace tovel {

// The desktop's prompts: message boxes and file dialogs over the active window.
class QtPrompter final : public Prompter {
public:
    void ShowError(const std::string& message) override;
    void ShowInformation(const std::string& message) override;
    Answer Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon icon) override;
    std::string AskOpenFileName(const std::string& initialDir, const std::string& defaultExtension,
                                const std::string& filter) override;
    std::vector<std::string> AskOpenFileNames(const std::string& initialDir,
                                              const std::string& defaultExtension,
                                              const std::string& filter) override;
    std::string AskSaveFileName(const std::string& initialDir, const std::string& defaultExtension,
                                const std::string& filter) override;
    std::string BrowseFolder(const std::string& caption, const std::string& initialDir) override;
};

// A text of the core as the windows show it: translated when the core marks it as translatable
// (TOVEL_TRANSLATABLE) and the translation in use has it, else as it is. A longer message that
// merely contains such a text stays as it is.
QString CoreText(const std::string& text);

// "Deck files|*.dec" -> "Deck files (*.dec)"; several pairs are joined with ";;" and the
// patterns of one pair, separated by ";", by blanks.
QString QtFileFilter(const std::string& filter);

} // namespace tovel
