#pragma once

#include "base/UserInterface.h"

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

// A UserInterface for tests: records every call in order and answers message
// boxes from a script (the default answer when the script is empty). It
// installs itself for its lifetime.
class RecordingUserInterface : public UserInterface {
public:
    struct Message {
        int stringId; // 0 for a composed text
        std::string gbkText;
        unsigned flags;
    };

    RecordingUserInterface() { m_previous = InstallUi(this); }
    ~RecordingUserInterface() override { InstallUi(m_previous); }
    RecordingUserInterface(const RecordingUserInterface&) = delete;
    RecordingUserInterface& operator=(const RecordingUserInterface&) = delete;

    // Answers for the next message boxes, in order.
    void ScriptAnswers(std::initializer_list<int> answers) { m_answers.insert(m_answers.end(), answers); }

    int ShowMessage(int stringId, unsigned flags) override
    {
        messages.push_back({stringId, {}, flags});
        calls.push_back("ShowMessage " + std::to_string(stringId));
        return Answer(flags);
    }
    int ShowMessageText(const std::string& gbkText, unsigned flags) override
    {
        messages.push_back({0, gbkText, flags});
        calls.push_back("ShowMessageText");
        return Answer(flags);
    }
    bool ProgressBegin(int total) override
    {
        calls.push_back("ProgressBegin " + std::to_string(total));
        return !progressFails;
    }
    void ProgressCaption(int captionId, int textId) override
    {
        calls.push_back("ProgressCaption " + std::to_string(captionId) + " " + std::to_string(textId));
    }
    void ProgressStep(int position) override { progress.push_back(position); }
    void ProgressEnd() override { calls.push_back("ProgressEnd"); }
    void RebuildProjectTree() override { calls.push_back("RebuildProjectTree"); }
    void ShowPageAfterRestore() override { calls.push_back("ShowPageAfterRestore"); }
    void RedrawCanvas() override { calls.push_back("RedrawCanvas"); }
    void RefreshElementList(bool rebuild) override
    {
        calls.push_back(std::string("RefreshElementList ") + (rebuild ? "1" : "0"));
    }
    void GoToElement(int screenIndex, int elementIndex, int page) override
    {
        calls.push_back("GoToElement " + std::to_string(screenIndex) + " " + std::to_string(elementIndex) + " "
            + std::to_string(page));
    }

    // Targets the copy-screen dialog accepts, in order; none cancels it.
    void ScriptCopyTargets(std::initializer_list<int> targets)
    {
        m_copyTargets.insert(m_copyTargets.end(), targets);
    }
    bool RunCopyScreenDialog(int sourceNumber, int& target) override
    {
        calls.push_back("RunCopyScreenDialog " + std::to_string(sourceNumber));
        if (m_copyTargets.empty())
            return false;
        target = m_copyTargets.front();
        m_copyTargets.pop_front();
        return true;
    }
    void RunNewScreenDialog(bool insertMode) override
    {
        calls.push_back(std::string("RunNewScreenDialog ") + (insertMode ? "1" : "0"));
    }
    void ShowScreenItem(int number, const std::string& gbkText) override
    {
        calls.push_back("ShowScreenItem " + std::to_string(number) + " " + gbkText);
    }
    void ShowScreenPage() override { calls.push_back("ShowScreenPage"); }
    bool RunProjectDialog(int commandId) override
    {
        calls.push_back("RunProjectDialog " + std::to_string(commandId));
        return false;
    }
    void ResetAddressLists(int tool, int width) override
    {
        calls.push_back("ResetAddressLists " + std::to_string(tool) + " " + std::to_string(width));
    }

    void DeviceLoaded() override { calls.push_back("DeviceLoaded"); }
    void PasswordLevelsChanged() override { calls.push_back("PasswordLevelsChanged"); }
    void ElementAddressesRebound() override { calls.push_back("ElementAddressesRebound"); }

    // Whether `call` was made, in any order among the others.
    bool Called(const std::string& call) const
    {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    // The string ids of the message boxes shown so far.
    std::vector<int> MessageIds() const
    {
        std::vector<int> ids;
        for (const auto& m : messages)
            ids.push_back(m.stringId);
        return ids;
    }

    std::vector<Message> messages;
    std::vector<std::string> calls;
    std::vector<int> progress;
    // The progress window cannot be created.
    bool progressFails = false;

private:
    int Answer(unsigned flags)
    {
        if (m_answers.empty())
            return UserInterface::ShowMessage(0, flags);
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::deque<int> m_answers;
    std::deque<int> m_copyTargets;
    UserInterface* m_previous = nullptr;
};
