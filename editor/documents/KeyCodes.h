#pragma once
#include <Qt>

// Windows virtual-key codes for Qt keys, as the editor's key event reports
// them; 0 for keys without one.
int VirtualKeyCode(int qtKey);

// 1 Shift, 2 Ctrl, 4 Alt, added together.
int ShiftState(Qt::KeyboardModifiers modifiers);
