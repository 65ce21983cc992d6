#include "records.h"

#include "../common/tool_error.h"
#include "../common/unique_handle.h"

#include <windows.h>

namespace bench {
namespace {

constexpr const char* kKeyPath = "Software\\MapwellBench\\Subst";

// Empty key when nothing was ever recorded: readers treat that as "no records".
UniqueRegKey OpenForRead() {
    UniqueRegKey key;
    RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, key.put());
    return key;
}

UniqueRegKey OpenForWrite() {
    UniqueRegKey key;
    const LONG rc = RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, 0,
                                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (rc != ERROR_SUCCESS) throw Win32Failure("cannot open the record key", rc);
    return key;
}

std::optional<std::string> ReadValue(HKEY key, char letter) {
    if (!key) return std::nullopt;
    const char name[2] = {letter, '\0'};
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    // The size can change between the two calls only if another stand-in races us; retry then.
    for (;;) {
        std::string data(bytes, '\0');
        const LONG rc = RegQueryValueExA(key, name, nullptr, &type,
                                         reinterpret_cast<BYTE*>(data.data()), &bytes);
        if (rc == ERROR_MORE_DATA) continue;
        if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        data.resize(bytes);
        while (!data.empty() && data.back() == '\0') data.pop_back();
        return data;
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
    const char name[2] = {letter, '\0'};
    const LONG rc =
        RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(target.c_str()),
                       static_cast<DWORD>(target.size() + 1));
    if (rc != ERROR_SUCCESS) throw Win32Failure("cannot record drive " + std::string(name), rc);
}

void ForgetRecord(char letter) {
    const UniqueRegKey key = OpenForWrite();
    const char name[2] = {letter, '\0'};
    const LONG rc = RegDeleteValueA(key.get(), name);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
        throw Win32Failure("cannot forget drive " + std::string(name), rc);
}

} // namespace bench
