#include "real_input.h"

#include <vector>

namespace real {

namespace {

INPUT Key(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT Mouse(DWORD flags, POINT at = {}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        // Absolute coordinates run from 0 to 65535 across the primary screen.
        in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    return in;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

} // namespace

void Keys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> inputs;
    for (WORD vk : chord) inputs.push_back(Key(vk, false));
    for (auto vk = std::rbegin(chord); vk != std::rend(chord); ++vk)
        inputs.push_back(Key(*vk, true));
    Send(inputs);
}

void Type(const std::string& text) {
    for (char c : text) {
        SHORT scan = VkKeyScanA(c);
        WORD vk = LOBYTE(scan);
        if (HIBYTE(scan) & 1)
            Keys({VK_SHIFT, vk});
        else
            Keys({vk});
    }
}

void MoveTo(POINT screen) {
    Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)});
}

void Click(POINT screen, Button button, bool alt) {
    DWORD down = button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    DWORD up = button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    std::vector<INPUT> inputs{Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen)};
    if (alt) inputs.push_back(Key(VK_MENU, false));
    inputs.push_back(Mouse(down));
    inputs.push_back(Mouse(up));
    if (alt) inputs.push_back(Key(VK_MENU, true));
    Send(inputs);
}

void DoubleClick(POINT screen) {
    Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen), Mouse(MOUSEEVENTF_LEFTDOWN),
          Mouse(MOUSEEVENTF_LEFTUP), Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

} // namespace real
