# The hardening Debian builds its packages with: position-independent executables, a stack
# protector, fortified libc calls and read-only relocations resolved at start-up.
#
# _FORTIFY_SOURCE needs the optimiser (glibc warns and checks nothing at -O0), and the
# sanitizer and fuzzer builds replace the very libc calls it checks, so it is left out there:
# their reports are the better check.
option(ORVANE_HARDENING "Build with PIE, stack protector, _FORTIFY_SOURCE=2 and full RELRO" ON)
if(NOT ORVANE_HARDENING)
  return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES C CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
add_link_options(LINKER:-z,relro LINKER:-z,now)
if(NOT ORVANE_ASAN AND NOT ORVANE_TSAN AND NOT ORVANE_BUILD_FUZZERS)
  # Only for the build types that optimise; a definition in the caller's flags gives way.
  add_compile_options("$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
