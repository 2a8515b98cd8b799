#pragma once

#include "platform/FileDialog.h"

#include <deque>
#include <vector>

namespace fakes {

// Answers each open-file dialog with the next queued answer (nullopt or an empty queue: the user
// cancelled) and records the path each one started at.
class FakeFileDialog : public platform::FileDialog
{
public:
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&,
                                        const std::string& startPath) override
    {
        startPaths.push_back(startPath);
        const auto answer = answers.empty() ? std::nullopt : answers.front();
        return answers.empty() ? answer : (answers.pop_front(), answer);
    }
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> startPaths;
};

} // namespace fakes
