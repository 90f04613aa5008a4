#pragma once
class Toolbar;

// Switches the toolbar buttons 粘贴 and 清空.
class ToolbarStates {
public:
    void InitToolbarStates(bool clipboardHasText, int textLength, Toolbar* toolbar);
};
