#include "base/Version.h"

#ifndef ORVANE_VERSION
#define ORVANE_VERSION "unknown"
#endif

namespace orvane {

const char* VersionString() {
    return ORVANE_VERSION;
}

}  // namespace orvane
