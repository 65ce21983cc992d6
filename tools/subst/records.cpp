#include "records.h"

#include "../common/tool_error.h"
#include "../common/unique_handle.h"
#include "../common/utf8.h"

#include <windows.h>

namespace bench {
namespace {

constexpr const wchar_t* kKeyPath = L"Software\\MapwellBench\\Subst";

// Empty key when nothing was ever recorded: readers treat that as "no records".
UniqueRegKey OpenForRead() {
    UniqueRegKey key;
    RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, key.put());
    return key;
}

UniqueRegKey OpenForWrite() {
    UniqueRegKey key;
    const LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0,
                                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (rc != ERROR_SUCCESS) throw Win32Failure("cannot open the record key", rc);
    return key;
}

// Targets are kept as UTF-16 in the registry and as UTF-8 here, so every script survives.
std::optional<std::string> ReadValue(HKEY key, char letter) {
    if (!key) return std::nullopt;
    const wchar_t name[2] = {static_cast<wchar_t>(letter), L'\0'};
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    // The size can change between the two calls only if another stand-in races us; retry then.
    for (;;) {
        std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
        const LONG rc = RegQueryValueExW(key, name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &bytes);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        data.resize(bytes / sizeof(wchar_t));
        while (!data.empty() && data.back() == L'\0') data.pop_back();
        return Utf8(data);
    }
}

} // namespace

std::optional<std::string> RecordedTarget(char letter) {
    const UniqueRegKey key = OpenForRead();
    return ReadValue(key.get(), letter);
}

std::vector<SubstRecord> AllRecords() {
    std::vector<SubstRecord> records;
    const UniqueRegKey key = OpenForRead();
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (auto target = ReadValue(key.get(), letter)) records.push_back({letter, *target});
    return records;
}

void SaveRecord(char letter, const std::string& target) {
    const UniqueRegKey key = OpenForWrite();
    const wchar_t name[2] = {static_cast<wchar_t>(letter), L'\0'};
    const std::wstring wide = Wide(target);
    const LONG rc =
        RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS)
        throw Win32Failure("cannot record drive " + std::string(1, letter), rc);
}

void ForgetRecord(char letter) {
    const UniqueRegKey key = OpenForWrite();
    const wchar_t name[2] = {static_cast<wchar_t>(letter), L'\0'};
    const LONG rc = RegDeleteValueW(key.get(), name);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw Win32Failure("cannot forget drive " + std::string(1, letter), rc);
}

} // namespace bench
