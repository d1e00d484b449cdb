// The executable is built without exception handling. The standard library still reports misuse
// and exhausted memory through these helpers; here they end the process at once instead of
// building exception objects, which would link the library's whole exception and string
// machinery into a program that never catches anything.
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>

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

// The library's operator new throws bad_alloc when memory runs out, and that one throw links the
// unwinder, the personality routine and the type information (some 40 KB, more with GCC 14).
// The program sets no new-handler, so running out of memory ends it here as the uncaught
// exception would have.
void* operator new(std::size_t size) {
    if (void* block = std::malloc(size != 0 ? size : 1)) return block;
    std::abort();
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}

// GCC 13 and later call one cold helper of std::string and std::wstring out of line, from the
// library's own instances; the object file that holds it brings every other member of both
// classes (the linker keeps every function that has an unwind entry, and the library's all
// have one) and the exception machinery. Instantiated here, the library's copy is not needed.
#if _GLIBCXX_RELEASE >= 13
template void std::string::_M_replace_cold(char*, std::size_t, const char*, std::size_t,
                                           std::size_t);
template void std::wstring::_M_replace_cold(wchar_t*, std::size_t, const wchar_t*, std::size_t,
                                            std::size_t);
#endif
