#pragma once

// The one seam for every question and message the program puts to the user.
//
// Windows and workflows never open a message box or a file dialog themselves: they ask the
// current Prompter. The desktop program installs one built on Qt's dialogs; tests install a
// scripted one that answers from a queue and records what was asked. All texts are UTF-8.

#include <functional>
#include <string>
#include <vector>

namespace tovel {

enum class Answer { Ok, Yes, No, Cancel };
enum class ConfirmButtons { YesNo, YesCancel, YesNoCancel };
enum class MessageIcon { Question, Warning, Error, Information };

class Prompter {
public:
    virtual ~Prompter() = default;

    // Error icon, one OK button.
    virtual void ShowError(const std::string& message) = 0;
    // A plain information box.
    virtual void ShowInformation(const std::string& message) = 0;
    virtual Answer Confirm(const std::string& message, ConfirmButtons buttons,
                           MessageIcon icon = MessageIcon::Question) = 0;

    // File dialogs. `filter` is written as "Deck files|*.dec" (description, bar, patterns);
    // `defaultExtension` without the dot. An empty result means the user cancelled.
    virtual std::string AskOpenFileName(const std::string& initialDir, const std::string& defaultExtension,
                                        const std::string& filter) = 0;
    virtual std::vector<std::string> AskOpenFileNames(const std::string& initialDir,
                                                      const std::string& defaultExtension,
                                                      const std::string& filter) = 0;
    virtual std::string AskSaveFileName(const std::string& initialDir, const std::string& defaultExtension,
                                        const std::string& filter) = 0;
    virtual std::string BrowseFolder(const std::string& caption, const std::string& initialDir) = 0;
};

// A prompter for runs with nobody to ask (the command line, benchmarks, start-up): every question
// takes its cancelling answer, every file dialog is cancelled, and messages go to the given
// sinks (an empty sink drops them).
class NonInteractivePrompter final : public Prompter {
public:
    using Sink = std::function<void(const std::string&)>;
    NonInteractivePrompter(Sink onError, Sink onInformation)
        : onError_(std::move(onError)), onInformation_(std::move(onInformation)) {}

    void ShowError(const std::string& message) override;
    void ShowInformation(const std::string& message) override;
    Answer Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon icon) override;
    std::string AskOpenFileName(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::vector<std::string> AskOpenFileNames(const std::string&, const std::string&,
                                              const std::string&) override {
        return {};
    }
    std::string AskSaveFileName(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string BrowseFolder(const std::string&, const std::string&) override { return {}; }

private:
    Sink onError_;
    Sink onInformation_;
};

// The prompter in force. Until one is installed, messages go to standard error and every
// question is answered with its cancelling choice.
Prompter& Prompts();

// Installs a prompter for the lifetime of the guard and restores the previous one afterwards.
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter& prompter);
    ~ScopedPrompter();
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;

private:
    Prompter* previous_;
};

// The program's error box: error icon, the text, one OK button.
void ShowError(const std::string& message);

// The file dialogs of the deck and inventory windows, through the current prompter.
// Filters as "Deck files|*.dec"; an empty result means the user cancelled.
std::string AskOpenFileName(const std::string& initialDir, const std::string& defaultExtension,
                            const std::string& filter);
std::string AskSaveFileName(const std::string& initialDir, const std::string& defaultExtension,
                            const std::string& filter);

// The question asked before a file is replaced, made for its path.
using TReplaceQuestion = std::function<std::string(const std::string& path)>;
// Whether `path` may be written: it does not exist, or the user answers Yes (Yes/Cancel) to
// the question made for it.
bool MayReplaceFile(const std::string& path, const TReplaceQuestion& question);
// AskSaveFileName, then MayReplaceFile on the chosen name: the name to write, or empty when the
// user cancelled either.
std::string AskSaveTarget(const std::string& initialDir, const std::string& defaultExtension,
                          const std::string& filter, const TReplaceQuestion& question);

} // namespace tovel
