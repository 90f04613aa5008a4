#pragma once

// Writes line count, current line and caret position into the status bar.
class CursorStatus {};
