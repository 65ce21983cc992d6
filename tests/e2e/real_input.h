// Real input, as a user's keyboard and mouse give it: SendInput, which the
// system (and Wine) queues as hardware input for the foreground window's
// thread. Posted messages would skip what a user's keys and pointer go
// through: the dialog manager, accelerators, menus, mouse activation and tool
// tips. Every helper releases what it pressed before it returns.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

namespace real {

// Presses the keys in order and releases them in reverse: {VK_MENU, 'A'} is Alt+A.
void Keys(std::initializer_list<WORD> chord);
// Types text made of characters the keyboard layout has (VkKeyScan).
void Type(const std::string& text);

enum class Button { Left, Right };
void MoveTo(POINT screen);
// Moves there and clicks; with `alt`, Alt is held down during the click.
void Click(POINT screen, Button button = Button::Left, bool alt = false);
void DoubleClick(POINT screen);
POINT CentreOf(HWND window);

} // namespace real
