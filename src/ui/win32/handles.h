#pragma once
// Owners for the USER, GDI and kernel handles the window system keeps, so that every exit path
// gives them back.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace korvane::ui::win32 {

template <typename Handle, auto Release> struct HandleReleaser {
    using pointer = Handle;
    void operator()(Handle handle) const noexcept { Release(handle); }
};

template <typename Handle, auto Release>
using UniqueHandle =
    std::unique_ptr<std::remove_pointer_t<Handle>, HandleReleaser<Handle, Release>>;

using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, &::DestroyMenu>;
using UniqueBrush = UniqueHandle<HBRUSH, &::DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, &::DeleteObject>;
using UniqueKernelHandle = UniqueHandle<HANDLE, &::CloseHandle>;

} // namespace korvane::ui::win32
