#include "core/infra/Prompts.h"

#include "core/infra/FileIO.h"

#include <cstdio>

namespace tovel {

namespace {

void PrintToStandardError(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
}

// Used before a real prompter is installed: nothing can be asked, messages go to standard error.
NonInteractivePrompter consolePrompter(PrintToStandardError, PrintToStandardError);
// Global: the one seam every layer reports through; tests swap it with ScopedPrompter.
Prompter* current = &consolePrompter;

} // namespace

void NonInteractivePrompter::ShowError(const std::string& message) {
    if (onError_)
        onError_(message);
}

void NonInteractivePrompter::ShowInformation(const std::string& message) {
    if (onInformation_)
        onInformation_(message);
}

Answer NonInteractivePrompter::Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon) {
    ShowInformation(message);
    return buttons == ConfirmButtons::YesNo ? Answer::No : Answer::Cancel;
}

Prompter& Prompts() {
    return *current;
}

ScopedPrompter::ScopedPrompter(Prompter& prompter) : previous_(current) {
    current = &prompter;
}
ScopedPrompter::~ScopedPrompter() {
    current = previous_;
}

void ShowError(const std::string& message) {
    Prompts().ShowError(message);
}

std::string AskOpenFileName(const std::string& initialDir, const std::string& defaultExtension,
                            const std::string& filter) {
    return Prompts().AskOpenFileName(initialDir, defaultExtension, filter);
}

std::string AskSaveFileName(const std::string& initialDir, const std::string& defaultExtension,
                            const std::string& filter) {
    return Prompts().AskSaveFileName(initialDir, defaultExtension, filter);
}

bool MayReplaceFile(const std::string& path, const TReplaceQuestion& question) {
    return !FileExists(path) || Prompts().Confirm(question(path), ConfirmButtons::YesCancel) == Answer::Yes;
}

std::string AskSaveTarget(const std::string& initialDir, const std::string& defaultExtension,
                          const std::string& filter, const TReplaceQuestion& question) {
    const std::string path = AskSaveFileName(initialDir, defaultExtension, filter);
    if (path.empty() || !MayReplaceFile(path, question))
        return {};
    return path;
}

} // namespace tovel
