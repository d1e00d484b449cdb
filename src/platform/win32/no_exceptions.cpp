// The executable is built without exception handling. The standard library still reports misuse
// and exhausted memory through these helpers; here they end the process at once instead of
// building exception objects, which would link the library's whole exception and string
// machinery into a program that never catches anything.
#include <cstdlib>

namespace std {
[[noreturn]] void __throw_bad_alloc() {
    std::abort();
}
[[noreturn]] void __throw_bad_array_new_length() {
    std::abort();
}
[[noreturn]] void __throw_length_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    std::abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    std::abort();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    std::abort();
}
[[noreturn]] void __throw_bad_function_call() {
    std::abort();
}
} // namespace std
