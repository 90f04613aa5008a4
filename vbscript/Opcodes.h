#pragma once
// Every VM instruction, once. Operands: a (8 bits), c (16 bits), b and d
// (32 bits); what each means is noted beside it.
#define VBS_OPCODES(X) \
    X(PushConst)    /* b: constant index */ \
    X(PushEmpty) \
    X(PushNothing) \
    X(PushMe) \
    X(Pop) \
    X(LoadLocal)    /* b: slot */ \
    X(StoreLocal)   /* b: slot; let-assignment of the popped value */ \
    X(LoadGlobal)   /* b: global index */ \
    X(StoreGlobal)  /* b: global index */ \
    X(LoadVar)      /* a: VarKind, b: index or name, d: fallback local or -1 */ \
    X(StoreVar)     /* a, b, d as LoadVar */ \
    X(SetVar)       /* a, b, d: Set-assignment, value must be an object; c: kRawStore */ \
    X(RefVar)       /* a, b, d: pushes a reference for a ByRef argument */ \
    X(Index)        /* a: argc; [target, args] -> element or default member */ \
    X(IndexVar)     /* a: argc, c: VarKind, b, d; [args] -> element of the variable's array */ \
    X(ConcatTo)     /* a: VarKind, b, d: `s = s & x` appending in place; [x] */ \
    X(StoreIndex)   /* a: argc, c: VarKind, b, d; [args, value] */ \
    X(CallProc)     /* b: procedure index, a: argc */ \
    X(CallBuiltin)  /* b: builtin index, a: argc */ \
    X(CallName)     /* b: name index, a: argc; resolved when run */ \
    X(CallMe)       /* b: member index of the own class, a: argc, c: Invoke */ \
    X(Member)       /* b: name index, c: cache slot, a: argc, d: Invoke; [obj, args(, value)] */ \
    X(New)          /* b: class index */ \
    X(AddConst) X(SubConst) X(MulConst)  /* b: constant index; [x] -> x op constant */ \
    X(LocalArith)   /* a: AddConst/SubConst/MulConst, b: slot, d: constant index; pushes local op constant */ \
    X(IncVar)       /* a: VarKind (local or global), b: index, d: constant index; `i = i + k` */ \
    X(Add) X(Sub) X(Mul) X(Div) X(IntDiv) X(Mod) X(Pow) X(Neg) X(Concat) \
    X(Not) X(And) X(Or) X(Xor) X(Eqv) X(Imp) X(Is) \
    X(Compare)      /* a: CmpOp, c: literal flags */ \
    X(Jump)         /* b: target */ \
    X(JumpIfFalse)  /* b: target; pops, Null counts as false */ \
    X(JumpIfTrue)   /* b: target; pops */ \
    X(CompareJump)  /* a: CmpOp, c: literal flags, b: target when the comparison is not True */ \
    X(CompareConst) /* a: CmpOp, c: literal flags, d: constant index; [x] -> x op constant */ \
    X(CompareConstJump) /* a, c, d as CompareConst, b: target when not True; [x] */ \
    X(ForInit)      /* a: VarKind, b: variable, c: hidden base, d: exit target; [start, limit, step] */ \
    X(ForNext)      /* a, b, c as ForInit, d: loop body */ \
    X(ForEachInit)  /* c: hidden slot, d: exit target; [collection] */ \
    X(ForEachNext)  /* a: VarKind, b: variable, c: hidden slot, d: exit target */ \
    X(CaseMatch)    /* c: hidden slot with the subject, a: literal flags; [value] -> Boolean */ \
    X(DimArray)     /* a: dims, c: VarKind, b: index; [bounds] */ \
    X(ReDim)        /* a: dims, c: VarKind, b: index, d: 1 to preserve; [bounds] */ \
    X(Erase)        /* c: VarKind, b: index */ \
    X(Raise)        /* b: error number; raised when run (errors found early but reported late) */ \
    X(OnError)      /* a: 1 resume next, 0 goto 0, 2 only clears Err (Exit Sub/Function) */ \
    X(Return) \
    X(LockVar)      /* a: VarKind, b, d: an element of the array goes out ByRef; resizing it raises 10 */ \
    X(UnlockVar)    /* releases the newest LockVar */

namespace vbs {

enum class OpCode : unsigned char {
#define VBS_ENUM(name) name,
    VBS_OPCODES(VBS_ENUM)
#undef VBS_ENUM
};

// Where a variable lives.
enum VarKind : unsigned char { vkLocal, vkGlobal, vkField, vkOuter, vkName };
// Added to the c operand of SetVar and StoreIndex: store the value as it is,
// object or not (used for hidden copies of ByRef array elements).
constexpr int kRawStore = 0x100;

const char* opName(OpCode op);

}  // namespace vbs
