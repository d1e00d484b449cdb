#pragma once
// The readable name of the running Windows version and edition, in GBK.
#include "platform/os_version.h"

#include <string>

namespace korvane {

// Selector 1 the name, 2 the service-pack text, 3 the build number, 4 the base name, 5
// "major.minor" of the service pack, anything else the name. The second argument is accepted and
// ignored.
std::string OsVersionText(const platform::OsVersionRecord& record, int selector, int ignored = 1);

} // namespace korvane
