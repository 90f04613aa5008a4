#pragma once
// TextStream objects over files (GBK or UTF-16LE text) and over the host's
// standard streams.
#include <string_view>

#include "vbscript/Value.h"

namespace vbs {

class Vm;

namespace fsys {

enum IoMode { ForReading = 1, ForWriting = 2, ForAppending = 8 };
enum Tristate { TristateFalse = 0, TristateTrue = -1, TristateUseDefault = -2 };

// OpenTextFile on an absolute path; raises the standard errors.
Value openTextFile(std::u16string_view path, int ioMode, bool create, int format);
// CreateTextFile: an existing file is replaced only when the stream is
// closed or released, so its old content survives a failing script.
Value createTextFile(std::u16string_view path, bool overwrite, bool unicode);
// GetStandardStream: 0 input, 1 output, 2 error, through the host.
Value standardStream(Vm& vm, int which);

}  // namespace fsys
}  // namespace vbs
