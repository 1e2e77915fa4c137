#pragma once
// The Qt platform of a test program: made on first use and never destroyed (Qt's own statics
// may already be gone at exit), drawing its pictures from the folders the program itself would
// use (ORVANE_APP_DIR, which CTest sets to the build's runtime folder).
#include <cerrno>

#include "platform/qt/QtPlatform.h"
#include "profile/AppPaths.h"

namespace orvane::test {

inline platform::qt::QtPlatform& QtPlatformOnce() {
    static int argc = 1;
    static char* argv[] = {program_invocation_short_name, nullptr};
    static auto* p = new platform::qt::QtPlatform(argc, argv, PictureFolderNames(FolderEnvironment::Current()));
    return *p;
}

}  // namespace orvane::test
