#pragma once

// Switches the toolbar buttons 粘贴 and 清空.
class ToolbarStates {};
