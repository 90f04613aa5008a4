#pragma once
// Compiled code: procedures with their instructions, constants and line
// table, and the classes that group them.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Opcodes.h"
#include "vbscript/Value.h"

namespace vbs {

struct Instr {
    OpCode op;
    std::uint8_t a = 0;
    std::uint16_t c = 0;
    std::int32_t b = 0;
    std::int32_t d = 0;
};

// The statement starting at pc, for error positions and Resume Next.
struct LineEntry {
    std::uint32_t pc;
    int line;
    int column;
};

struct ClassInfo;

struct Proc {
    std::u16string name;
    ProcKind kind = ProcKind::Sub;
    bool isPublic = true;
    int paramCount = 0;
    std::vector<std::uint8_t> byVal;  // per parameter
    int localCount = 0;               // params, result, locals, hidden slots
    int resultSlot = -1;              // functions and Property Get
    int maxStack = 0;                 // operand stack depth above the locals
    std::vector<std::u16string> localNames;  // slot -> name, for Execute/Eval
    std::vector<Instr> code;
    std::vector<Value> consts;
    std::vector<std::u16string> names;
    std::vector<LineEntry> lines;
    ClassInfo* owner = nullptr;
    int cacheSlots = 0;
    // Dim with bounds on a local: the frame's slots carry the fixed-array
    // flag, which popping the frame must clear.
    bool fixedLocals = false;
    // Per Member instruction: the class it last saw and the member id found.
    std::vector<std::pair<const void*, int>> caches;
};

// One public or private name of a class: a field or its procedures.
struct ClassMember {
    std::u16string name;
    bool isPublic = true;
    int field = -1;
    Proc* get = nullptr;   // Function or Property Get
    Proc* let = nullptr;   // Property Let
    Proc* set = nullptr;   // Property Set
    Proc* sub = nullptr;   // Sub
};

struct ClassInfo {
    std::u16string name;  // as written, for TypeName
    std::vector<ClassMember> members;
    std::unordered_map<std::u16string, int> byName;
    std::vector<std::u16string> fieldNames;
    std::vector<std::vector<std::int32_t>> fieldBounds;  // Dim x(3) fields
    int defaultMember = -1;
    Proc* initialize = nullptr;
    Proc* terminate = nullptr;
};

// Human-readable listing, for debugging the compiler.
std::string disassemble(const Proc& proc);

}  // namespace vbs
