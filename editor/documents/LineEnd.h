#pragma once
// The line ends a document keeps: new lines are typed and pasted with them.
enum class LineEnd { CrLf, Lf, Cr };
