// One-line owning types for the platform handles the program opens.
#pragma once

#include <windows.h>
#include <wininet.h>
#include <unknwn.h>

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

// Owns one COM interface pointer.
template <typename I>
class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        reset();
        ptr_ = std::exchange(other.ptr_, nullptr);
        return *this;
    }
    ~ComPtr() { reset(); }

    I* get() const { return ptr_; }
    I* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    void reset() {
        if (ptr_)
            std::exchange(ptr_, nullptr)->Release();
    }
    I** put() {
        reset();
        return &ptr_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

  private:
    I* ptr_ = nullptr;
};

// Initialises COM for the calling thread for as long as it lives.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (ok_)
            ::CoUninitialize();
    }

  private:
    bool ok_;
};

}  // namespace harfpad::win32
