// The tool's commands. Each takes the arguments after its name, writes its
// results to standard output and returns the failure that stopped it, if any.
#pragma once

#include <string>
#include <vector>

#include "Failure.h"

namespace tamzor::cli {

using Arguments = std::vector<std::string>;

Status runRender(const Arguments& arguments);
Status runInfo(const Arguments& arguments);
Status runPreset(const Arguments& arguments);
Status runDemo(const Arguments& arguments);

}  // namespace tamzor::cli
