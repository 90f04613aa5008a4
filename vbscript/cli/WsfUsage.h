#pragma once
// The usage text of a .wsf job's runtime section, as ShowUsage and "/?" print it.
#include <string>

#include "WsfReader.h"

namespace vbsrun {

// Lines separated by "\n"; empty when the job has no runtime section.
std::u16string usageOf(const WsfRuntime& rt, const std::u16string& scriptName);

}  // namespace vbsrun
