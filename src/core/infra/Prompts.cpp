#include "core/infra/Prompts.h"

#include <cstdio>

namespace tovel {

namespace {

// Used before a real prompter is installed (the CLI, early start-up): nothing can be asked,
// so every question takes its safe, cancelling answer.
class ConsolePrompter final : public Prompter {
public:
    void ShowError(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
    void ShowInformation(const std::string& message) override { std::fprintf(stderr, "%s\n", message.c_str()); }
    Answer Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon) override {
        std::fprintf(stderr, "%s\n", message.c_str());
        return buttons == ConfirmButtons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::string AskOpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::vector<std::string> AskOpenFileNames(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string AskSaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string BrowseFolder(const std::string&, const std::string&) override { return {}; }
};

ConsolePrompter consolePrompter;
Prompter* current = &consolePrompter;

} // namespace

Prompter& Prompts() { return *current; }

ScopedPrompter::ScopedPrompter(Prompter& prompter) : previous_(current) { current = &prompter; }
ScopedPrompter::~ScopedPrompter() { current = previous_; }

void ShowError(const std::string& message) { Prompts().ShowError(message); }

std::string AskOpenFileName(const std::string& initialDir, const std::string& defaultExtension,
                            const std::string& filter) {
    return Prompts().AskOpenFileName(initialDir, defaultExtension, filter);
}

std::string AskSaveFileName(const std::string& initialDir, const std::string& defaultExtension,
                            const std::string& filter) {
    return Prompts().AskSaveFileName(initialDir, defaultExtension, filter);
}

} // namespace tovel
