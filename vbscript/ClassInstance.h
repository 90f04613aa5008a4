#pragma once
// An instance of a script Class: its fields, and member calls that run the
// class's procedures with Me bound to it. Class_Terminate runs when the last
// reference goes.
#include <vector>

#include "vbscript/Bytecode.h"
#include "vbscript/Object.h"

namespace vbs {

class Vm;

class ClassInstance : public Object {
public:
    ClassInstance(Vm& vm, ClassInfo& cls);
    ~ClassInstance() override;
    ClassInstance(const ClassInstance&) = delete;
    ClassInstance& operator=(const ClassInstance&) = delete;
    std::u16string typeName() const override { return cls.name; }
    const void* classKey() const override { return &cls; }
    int memberId(std::u16string_view lowerName) const override;
    void invoke(int id, Invoke kind, Args args, Value& result) override;
    void lastReferenceGone() override;
    void dropHeldValues() override;
    // Also reaches private members: used for calls from the class's own code.
    void invokeMember(int id, Invoke kind, Args args, Value& result);

    Vm& vm;
    ClassInfo& cls;
    std::vector<Value> fields;
};

// What GetRef returns: calling its default member calls the procedure.
class ProcRef : public Object {
public:
    ProcRef(Vm& vm, Proc& proc) : vm_(vm), proc_(proc) {}
    std::u16string typeName() const override { return u"Object"; }
    const void* classKey() const override { return &proc_; }
    int memberId(std::u16string_view) const override { return kNoMember; }
    void invoke(int id, Invoke kind, Args args, Value& result) override;

private:
    Vm& vm_;
    Proc& proc_;
};

// What Me means outside any class: the script's global scope, whose
// members are the global procedures and variables.
class ScriptScope : public Object {
public:
    explicit ScriptScope(Vm& vm) : vm_(vm) {}
    std::u16string typeName() const override { return u"Object"; }
    const void* classKey() const override { return nullptr; }  // names change under ExecuteGlobal
    int memberId(std::u16string_view lowerName) const override;
    void invoke(int id, Invoke kind, Args args, Value& result) override;

private:
    Vm& vm_;
};

// Walks the elements of an array in storage order (first index fastest).
class ArrayEnumerator : public Enumerator {
public:
    explicit ArrayEnumerator(Value array) : array_(std::move(array)) {}
    bool next(Value& out) override;

private:
    Value array_;
    std::size_t pos_ = 0;
};

// Keeps a For Each enumerator in a hidden local.
class EnumHolder : public Object {
public:
    explicit EnumHolder(std::unique_ptr<Enumerator> e) : e(std::move(e)) {}
    std::u16string typeName() const override { return u"Object"; }
    const void* classKey() const override { return nullptr; }
    int memberId(std::u16string_view) const override { return kNoMember; }
    void invoke(int, Invoke, Args, Value&) override;
    std::unique_ptr<Enumerator> e;
};

}  // namespace vbs
