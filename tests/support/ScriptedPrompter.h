#pragma once

// A prompter for tests: answers come from queues filled beforehand, and everything asked is
// recorded. A question with no answer queued fails the test loudly instead of hanging.

#include "core/infra/Prompts.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovel::test {

class ScriptedPrompter final : public Prompter {
public:
    struct Record {
        std::string kind; // "error", "information", "confirm", "open", "open-many", "save", "folder"
        std::string text; // the message, or the initial folder of a dialog
        std::string filter;
    };

    std::deque<Answer> answers;
    std::deque<std::string> fileNames;
    std::deque<std::vector<std::string>> fileLists;
    std::vector<Record> asked;
    // Called as each question or message is put, before it is answered (to look at the windows
    // behind it).
    std::function<void()> onAsk;

    void ShowError(const std::string& message) override { Asked({"error", message, {}}); }
    void ShowInformation(const std::string& message) override { Asked({"information", message, {}}); }
    Answer Confirm(const std::string& message, ConfirmButtons, MessageIcon) override {
        Asked({"confirm", message, {}});
        return Take(answers, "confirmation");
    }
    std::string AskOpenFileName(const std::string& dir, const std::string&, const std::string& filter) override {
        Asked({"open", dir, filter});
        return Take(fileNames, "open-file name");
    }
    std::vector<std::string> AskOpenFileNames(const std::string& dir, const std::string&,
                                              const std::string& filter) override {
        Asked({"open-many", dir, filter});
        return Take(fileLists, "list of open-file names");
    }
    std::string AskSaveFileName(const std::string& dir, const std::string&, const std::string& filter) override {
        Asked({"save", dir, filter});
        return Take(fileNames, "save-file name");
    }
    std::string BrowseFolder(const std::string&, const std::string& dir) override {
        Asked({"folder", dir, {}});
        return Take(fileNames, "folder");
    }

    // The messages of one kind, in the order they were shown.
    std::vector<std::string> Messages(const std::string& kind) const {
        std::vector<std::string> result;
        for (const Record& r : asked)
            if (r.kind == kind)
                result.push_back(r.text);
        return result;
    }

private:
    void Asked(Record record) {
        asked.push_back(std::move(record));
        if (onAsk)
            onAsk();
    }

    template <typename T> static T Take(std::deque<T>& queue, const char* what) {
        if (queue.empty())
            throw std::logic_error(std::string("test prompter: no ") + what + " scripted");
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace tovel::test
