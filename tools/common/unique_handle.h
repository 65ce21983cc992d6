// Owning wrappers for the two kinds of kernel handle the bench tools hold.
#pragma once

#include <windows.h>

#include <utility>

namespace bench {

// CreateFile reports failure as INVALID_HANDLE_VALUE, not NULL; both count as empty here.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        std::swap(h_, other.h_);
        return *this;
    }
    ~UniqueHandle() {
        if (valid()) CloseHandle(h_);
    }

    bool valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }

private:
    HANDLE h_ = nullptr;
};

class UniqueRegKey {
public:
    UniqueRegKey() = default;
    UniqueRegKey(const UniqueRegKey&) = delete;
    UniqueRegKey& operator=(const UniqueRegKey&) = delete;
    UniqueRegKey(UniqueRegKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    UniqueRegKey& operator=(UniqueRegKey&& other) noexcept {
        std::swap(key_, other.key_);
        return *this;
    }
    ~UniqueRegKey() {
        if (key_) RegCloseKey(key_);
    }

    HKEY get() const { return key_; }
    // For the out parameter of RegCreateKeyEx / RegOpenKeyEx; only call on an empty key.
    HKEY* put() { return &key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace bench
