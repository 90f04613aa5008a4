#pragma once

// The current document and the operations on the code editor: the file
// commands with their save question, clipboard and undo, running the script.
// It holds no data: every operation is given the controls it works on.
class EditorDocument {};
