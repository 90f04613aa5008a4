#include <sstream>

#include "vbscript/Bytecode.h"
#include "vbscript/Coerce.h"

namespace vbs {

const char* opName(OpCode op)
{
    static const char* const names[] = {
#define VBS_NAME(name) #name,
        VBS_OPCODES(VBS_NAME)
#undef VBS_NAME
    };
    return names[static_cast<int>(op)];
}

std::string disassemble(const Proc& proc)
{
    std::ostringstream out;
    out << u16ToAscii(proc.name) << ": params " << proc.paramCount << ", locals " << proc.localCount
        << ", stack " << proc.maxStack << "\n";
    std::size_t line = 0;
    for (std::size_t pc = 0; pc < proc.code.size(); ++pc) {
        while (line < proc.lines.size() && proc.lines[line].pc == pc) {
            out << "  ; line " << proc.lines[line].line << "\n";
            ++line;
        }
        const Instr& in = proc.code[pc];
        out << "  " << pc << "\t" << opName(in.op) << "\ta=" << int(in.a) << " b=" << in.b << " c=" << in.c
            << " d=" << in.d << "\n";
    }
    return out.str();
}

}  // namespace vbs
