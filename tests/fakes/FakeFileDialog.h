#pragma once

#include "platform/FileDialog.h"

#include <deque>
#include <vector>

namespace fakes {

// Answers each open-file dialog with the next queued answer (nullopt: the user cancelled; an empty queue
// cancels too) and records how it was asked.
class FakeFileDialog : public platform::FileDialog
{
public:
    struct Asked
    {
        std::string title, filterName, pattern, startPath;
    };
    std::optional<std::string> openFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern, const std::string& startPath) override
    {
        asked.push_back({title, filterName, pattern, startPath});
        if (answers.empty())
            return std::nullopt;
        const auto answer = answers.front();
        return answers.pop_front(), answer;
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<Asked> asked;
};

} // namespace fakes
