#include "vbscript/ListObject.h"

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"

namespace vbs {

void ListObject::invoke(int id, Invoke kind, Args args, Value& result)
{
    if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
    if (id == kDefaultMember) id = kItem;
    switch (id) {
    case kItem: {
        arity(args, 1, 1);
        std::int32_t i = toLong(args[0]);
        if (i < 0 || static_cast<std::size_t>(i) >= size()) raise(outOfRange());
        result = at(static_cast<std::size_t>(i));
        return;
    }
    case kCount:
        arity(args, 0, 0);
        result = Value::lng(static_cast<std::int32_t>(size()));
        return;
    default: raise(err::NoSuchMember);
    }
}

std::unique_ptr<Enumerator> ListObject::enumerate()
{
    class Each : public Enumerator {
    public:
        explicit Each(ListObject* list) : keep_(Value::object(list)), list_(list) {}
        bool next(Value& out) override
        {
            if (i_ >= list_->size()) return false;
            out = list_->at(i_++);
            return true;
        }

    private:
        Value keep_;  // the list lives as long as the walk
        ListObject* list_;
        std::size_t i_ = 0;
    };
    return std::make_unique<Each>(this);
}

int ListObject::outOfRange() const { return err::InvalidCall; }

std::span<const char16_t* const> ListObject::memberNames() const
{
    static const char16_t* const names[] = {u"item", u"count"};
    return names;
}

}  // namespace vbs
