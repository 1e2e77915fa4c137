// Defaults the sanitizer runtimes read at start-up, linked into every program of a build made
// with ORVANE_ASAN. Options given in ASAN_OPTIONS, UBSAN_OPTIONS or LSAN_OPTIONS still win.

extern "C" {

// fontconfig's configuration and libdbus's connection set-up are kept for the life of the
// process by design and never freed; they are not ours to fix.
const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n";
}

// Undefined behaviour already stops the program (built without recovery); say where.
const char* __ubsan_default_options() { return "print_stacktrace=1"; }

}
