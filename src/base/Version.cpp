#include "base/Version.h"

#include "base/VersionNumber.h"

namespace orvane {

const char* VersionString() {
    return ORVANE_VERSION;
}

std::u16string_view VersionText() {
    return u"" ORVANE_VERSION;
}

}  // namespace orvane
