#include "inspector_client.h"

Inspector::~Inspector() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (shared_) UnmapViewOfFile(shared_);
}

bool Inspector::Attach(const MapwellProcess& app) {
    main_ = app.main();
    mapping_.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(inspector::Shared),
                                      inspector::MappingName(app.pid()).c_str()));
    if (!mapping_) return false;
    shared_ = static_cast<inspector::Shared*>(
        MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dll(exe);
    dll = dll.substr(0, dll.find_last_of('\\') + 1) + "mapwell_inspector.dll";
    dll_.reset(LoadLibraryA(dll.c_str()));
    if (!shared_ || !dll_) return false;
    auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(dll_.get(), inspector::kHookExport)));
    // The system loads the DLL into Mapwell when the hook is first called there.
    hook_ = hook ? SetWindowsHookExA(WH_GETMESSAGE, hook, dll_.get(), app.threadId()) : nullptr;
    return hook_ != nullptr;
}

std::string Inspector::Ask(const std::string& request, double seconds) {
    if (!shared_ || !hook_) return "<no answer>";
    lstrcpynA(shared_->request, request.c_str(), sizeof(shared_->request));
    LONG serial = ++serial_;
    static const UINT query = RegisterWindowMessageA(inspector::kQueryMessage);
    PostMessageA(main_, query, static_cast<WPARAM>(serial), 0);
    if (!WaitUntil([&] { return shared_->answered == serial; }, seconds)) return "<no answer>";
    return shared_->answer;
}
