#include "ui/sim/sim_window.h"

void SimListBox::SetFocus() {
    w_.focus = name_;
}

bool SimListBox::Select(const std::string& text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

void SimButton::SetFocus() {
    w_.focus = name_;
}

void SimFolderList::SetFocus() {
    w_.focus = "dirList";
}

int SimWindow::MsgBox(const std::string& text, int flags, const std::string& title) {
    int answer = (flags & 7) == mbYesNoCancel ? idYes : idOk;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    boxes.push_back({text, flags, title, answer, pointer, pendingInput});
    return answer;
}

std::string SimWindow::InputBox(const std::string& prompt, const std::string& title) {
    inputBoxes.push_back({prompt, title});
    if (inputs.empty()) return "";
    std::string text = inputs.front();
    inputs.pop_front();
    return text;
}
