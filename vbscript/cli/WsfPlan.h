#pragma once
// A .wsf file as jobs to run: the jobs //Job names (else the first), each
// with its reference constants, objects, resources and script blocks, after
// checking that every block is VBScript.
#include <string>
#include <vector>

#include "ScriptLoader.h"

namespace vbsrun {

// Throws LoadError naming the file and line.
RunPlan planWsf(const std::string& path, const std::vector<std::string>& jobs);

}  // namespace vbsrun
