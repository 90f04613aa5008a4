#include "vbscript/Object.h"

namespace vbs {

Value defaultValue(Object* obj)
{
    Value keep = Value::object(obj);
    Value result;
    obj->invoke(Object::kDefaultMember, Invoke::Get, Args{nullptr, 0}, result);
    return result;
}

}  // namespace vbs
