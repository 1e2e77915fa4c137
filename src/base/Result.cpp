#include "base/Result.h"

#include <cstring>

namespace orvane {

std::string Error::message() const {
    if (code == 0) return context;
    return context + ": " + std::strerror(code);
}

}  // namespace orvane
