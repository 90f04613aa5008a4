#pragma once

// The VBScript word lists for colouring and completion, and the statement
// skeletons.
class CodeAssist {};
