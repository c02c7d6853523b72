// One-line owning types for the platform handles the program opens.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <utility>

namespace harfpad::win32 {

// Owns a handle of type T and releases it with Close when it goes out of scope.
template <typename T, auto Close, T Invalid = T{}>
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid; }
    T release() { return std::exchange(handle_, Invalid); }
    void reset(T handle = Invalid) {
        if (handle_ != Invalid)
            Close(handle_);
        handle_ = handle;
    }
    // For out-parameters: releases what is held and exposes the slot.
    T* put() {
        reset();
        return &handle_;
    }

  private:
    T handle_ = Invalid;
};

inline void closeKey(HKEY key) {
    ::RegCloseKey(key);
}
inline void closeHandle(HANDLE handle) {
    ::CloseHandle(handle);
}
inline void deleteGdiObject(HGDIOBJ object) {
    ::DeleteObject(object);
}
inline void destroyIcon(HICON icon) {
    ::DestroyIcon(icon);
}
inline void destroyMenu(HMENU menu) {
    ::DestroyMenu(menu);
}
inline void closeInternet(HINTERNET handle) {
    ::InternetCloseHandle(handle);
}
inline void deleteDc(HDC dc) {
    ::DeleteDC(dc);
}

using UniqueHkey = UniqueHandle<HKEY, closeKey>;
using UniqueFont = UniqueHandle<HFONT, deleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, deleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, deleteGdiObject>;
using UniqueIcon = UniqueHandle<HICON, destroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, destroyMenu>;
using UniqueInternet = UniqueHandle<HINTERNET, closeInternet>;
using UniqueMemoryDc = UniqueHandle<HDC, deleteDc>;  // from CreateCompatibleDC

}  // namespace harfpad::win32
