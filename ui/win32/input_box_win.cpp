#include "ui/win32/input_box_win.h"

#include "platform/win32/utf16.h"
#include "ui/win32/controls_win.h"
#include "ui/win32/resource_ids.h"

namespace {

struct InputBoxState {
    const std::string* prompt;
    const std::string* title;
    std::string answer;
};

void CentreOn(HWND dialog, HWND owner) {
    RECT o, d;
    GetWindowRect(owner, &o);
    GetWindowRect(dialog, &d);
    int w = d.right - d.left, h = d.bottom - d.top;
    SetWindowPos(dialog, nullptr, o.left + (o.right - o.left - w) / 2,
                 o.top + (o.bottom - o.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        state = reinterpret_cast<InputBoxState*>(lp);
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        SetWindowTextW(dialog, ToUtf16(*state->title).c_str());
        SetDlgItemTextW(dialog, IDC_INPUT_PROMPT, ToUtf16(*state->prompt).c_str());
        SendDlgItemMessageW(dialog, IDC_INPUT_TEXT, EM_LIMITTEXT, 255, 0);
        CentreOn(dialog, GetParent(dialog));
        // The user types at once: the focus starts in the text field, not on OK.
        SetFocus(GetDlgItem(dialog, IDC_INPUT_TEXT));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
            state->answer = WindowText(GetDlgItem(dialog, IDC_INPUT_TEXT));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

std::string ShowInputBox(HWND owner, const std::string& prompt, const std::string& title) {
    InputBoxState state{&prompt, &title, {}};
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INPUTBOX),
                                     owner, InputBoxProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? state.answer : std::string();
}
