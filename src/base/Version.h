#pragma once
// The release this build belongs to, as the project's build files name it.

namespace orvane {

const char* VersionString();

}  // namespace orvane
