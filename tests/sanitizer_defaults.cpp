// What the sanitizers of a test build report and ignore. This file is compiled
// into every program of such a build (the test suites, the programs they start,
// the tools the build itself runs), so each reads the same settings however it
// is started: from ctest, by hand, or as a child of a test. Nothing depends on
// the environment a test runner passes on.
// NOLINTBEGIN(bugprone-reserved-identifier): the sanitizers look these names up.

extern "C" {

const char* __asan_default_options() {
    return "detect_leaks=1:abort_on_error=0";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __lsan_default_options() {
    return "print_suppressions=0";
}

// Leaks inside system libraries, never in our code. Each rule matches any frame
// of the allocation's stack, by function or by library.
const char* __lsan_default_suppressions() {
    return
        // The C library keeps what it loads for a locale, and the search path it
        // made of LOCPATH, for the life of the process; a locale the machine
        // lacks leaves the path behind too. Without the C library's debugging
        // symbols only the exported names appear, hence setlocale and newlocale.
        "leak:argz_add_sep\n"
        "leak:_nl_load_locale\n"
        "leak:_nl_intern_locale_data\n"
        "leak:_nl_find_locale\n"
        "leak:newlocale\n"
        "leak:setlocale\n"
        // Libraries the windows load.
        "leak:libfontconfig.so\n"
        "leak:libfreetype.so\n"
        "leak:libdbus-1.so\n"
        "leak:libglib-2.0.so\n";
}

}  // extern "C"
// NOLINTEND(bugprone-reserved-identifier)
