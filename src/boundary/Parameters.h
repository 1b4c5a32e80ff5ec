// The configuration parameters the module declares to the host, and the
// entries of its list parameters.
#ifndef EDIHAL_BOUNDARY_PARAMETERS_H
#define EDIHAL_BOUNDARY_PARAMETERS_H

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace edihal {

// Fills the three buffers and the flag with parameter `index` of `group`
// and returns its kind, or returns 0 and writes nothing when there is no
// such parameter.
std::int32_t DescribeParameter(const Platform& platform, std::int32_t group, std::int32_t index,
                               char* name, char* description, char* default_value,
                               std::int32_t* flag);

// Entry `index` of the list parameter whose name `name` begins with
// (ignoring case), or false when there is none.
bool ParameterListEntry(const std::string& name, std::int32_t index, std::string& entry);

}  // namespace edihal

#endif  // EDIHAL_BOUNDARY_PARAMETERS_H
