#include "platform/sim/sim_machine.h"

#include "platform/rt_error.h"
#include "platform/win32_codes.h"

#include <algorithm>
#include <cctype>

namespace {

// A match of a name against * and ? wildcards, both already in upper case.
bool Matches(const char* pattern, const char* name) {
    if (!*pattern) return !*name;
    if (*pattern == '*') return Matches(pattern + 1, name) || (*name && Matches(pattern, name + 1));
    if (!*name) return false;
    if (*pattern != '?' && *pattern != *name) return false;
    return Matches(pattern + 1, name + 1);
}

} // namespace

std::string SimMachine::ParentKey(const std::string& key) const {
    if (key.size() <= 3) return "";
    size_t cut = key.rfind('\\');
    return cut == 2 ? key.substr(0, 3) : key.substr(0, cut);
}

std::string SimMachine::LastName(const std::string& path) const {
    if (path.size() <= 3) return path;
    return path.substr(path.rfind('\\') + 1);
}

void SimMachine::Tick(const char* op, const std::string& path) {
    if (TickWrite(op, path)) throw RtError(faults.error);
}

bool SimMachine::TickWrite(const char* op, const std::string& path) {
    if (onCall) onCall(op, path);
    ++faults.calls;
    bool hit = faults.failOn.empty() ? faults.calls == faults.failAt : faults.failOn == op;
    if (!hit || !faults.error) return false;
    faults.failed = std::string(op) + " " + path + (faults.partWay ? " part way" : "");
    if (!faults.partWay) throw RtError(faults.error);
    return true;
}

int64_t* SimMachine::FreeBytes(char drive) {
    if (!std::isalpha(static_cast<unsigned char>(drive))) return nullptr;
    int64_t* room = &Drive(drive).freeBytes;
    return *room >= 0 ? room : nullptr;
}

void SimMachine::Write(char drive, std::string& data, size_t at, const std::string& bytes,
                       bool failing) {
    // A write that fails part way (a full disk, a share that went away)
    // leaves the first half of its bytes behind.
    std::string part = failing ? bytes.substr(0, bytes.size() / 2) : bytes;
    // A disk that fills up takes what fits, as a real one does.
    int64_t* room = FreeBytes(drive);
    size_t before = data.size();
    size_t growth = at + part.size() > before ? at + part.size() - before : 0;
    bool full = room && growth > static_cast<size_t>(*room);
    if (full) {
        size_t over = growth - static_cast<size_t>(*room);
        part.resize(over < part.size() ? part.size() - over : 0);
    }
    if (!part.empty()) {
        if (before < at + part.size()) data.resize(at + part.size(), '\0');
        data.replace(at, part.size(), part);
    }
    if (room) *room -= static_cast<int64_t>(data.size() - before);
    if (full) throw RtError(RtErrorFromWin32(win32::kDiskFull));
    if (failing) throw RtError(faults.error);
}

void SimMachine::Free(const std::string& path, size_t bytes) {
    if (int64_t* room = FreeBytes(Absolute(path)[0])) *room += static_cast<int64_t>(bytes);
}

class SimRandomFile : public RandomFile {
public:
    SimRandomFile(SimMachine& m, std::string key, bool writable)
        : m_(m), key_(std::move(key)), writable_(writable) {}
    std::string ReadAt(uint64_t offset, size_t size) override {
        m_.Tick("ReadAt", key_);
        const std::string& d = Data();
        if (offset >= d.size()) return "";
        return d.substr(offset, size);
    }
    void WriteAt(uint64_t offset, const std::string& bytes) override {
        bool failing = m_.TickWrite("WriteAt", key_);
        if (!writable_) throw RtError(rtPathFileAccess);
        m_.Write(key_[0], Data(), offset, bytes, failing);
    }

private:
    std::string& Data() {
        auto it = m_.nodes_.find(key_);
        if (it == m_.nodes_.end()) throw RtError(rtBadFileName);
        return it->second.data;
    }
    SimMachine& m_;
    std::string key_;
    bool writable_;
};

class SimProcess : public Process {
public:
    SimProcess(SimMachine& m, uint32_t id, double endAt) : m_(m), id_(id), endAt_(endAt) {}
    uint32_t Id() const override { return id_; }
    bool WaitForExit(double seconds) override {
        if (m_.now >= endAt_) return true;
        if (m_.now + seconds >= endAt_) {
            m_.now = endAt_;
            return true;
        }
        m_.now += seconds;
        return false;
    }

private:
    SimMachine& m_;
    uint32_t id_;
    double endAt_;
};

SimMachine::SimMachine() : platform_{*this, *this, *this, *this, *this, *this, *this} {
    AddDrive('C', DriveKind::Fixed, true, "System");
    AddFolder("C:\\Windows\\system32");
}

std::string SimMachine::Key(const std::string& path) const {
    std::vector<std::string> parts = PathText::Split(PathText::Upper(path));
    std::string k = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) k += "\\" + parts[i];
    while (k.size() > 3 && PathText::EndsWithSeparator(k)) k.pop_back();
    if (k.size() == 2 && k[1] == ':') k += '\\';
    return k;
}

SimDrive& SimMachine::Drive(char letter) {
    return drives[std::toupper(static_cast<unsigned char>(letter)) - 'A'];
}

void SimMachine::AddDrive(char letter, DriveKind kind, bool ready, const std::string& label) {
    SimDrive& d = Drive(letter);
    d.exists = true;
    d.kind = kind;
    d.ready = ready;
    d.label = label;
    std::string root = std::string(1, static_cast<char>(std::toupper(letter))) + ":\\";
    nodes_[root] = Node{root, true, 0, ""};
}

void SimMachine::RemoveDrive(char letter) {
    Drive(letter) = SimDrive{};
    std::string prefix = std::string(1, static_cast<char>(std::toupper(letter))) + ":\\";
    for (auto it = nodes_.begin(); it != nodes_.end();)
        it = it->first.rfind(prefix, 0) == 0 ? nodes_.erase(it) : std::next(it);
}

void SimMachine::AddFolder(const std::string& path, uint32_t attrs) {
    std::string key = Key(path);
    std::string parent = ParentKey(key);
    if (!parent.empty() && !nodes_.count(parent)) AddFolder(path.substr(0, parent.size()));
    nodes_[key] =
        Node{path.size() > 3 && PathText::EndsWithSeparator(path) ? path.substr(0, path.size() - 1)
                                                                  : path,
             true, attrs, ""};
}

void SimMachine::AddFile(const std::string& path, const std::string& bytes, uint32_t attrs) {
    std::string parent = ParentKey(Key(path));
    if (!nodes_.count(parent)) AddFolder(path.substr(0, parent.size()));
    nodes_[Key(path)] = Node{path, false, attrs, bytes};
}

bool SimMachine::Exists(const std::string& path) const {
    return Find(Absolute(path)) != nullptr;
}

std::string SimMachine::FileBytes(const std::string& path) const {
    const Node* n = Find(Absolute(path));
    return n ? n->data : std::string();
}

std::map<std::string, std::string> SimMachine::FilesIn(const std::string& folder) const {
    std::map<std::string, std::string> files;
    for (const auto& [key, node] : nodes_)
        if (!node.dir && ParentKey(key) == Key(folder)) files[LastName(node.path)] = node.data;
    return files;
}

void SimMachine::SetAttrs(const std::string& path, uint32_t attrs) {
    if (Node* n = Find(Absolute(path))) n->attrs = attrs;
}

void SimMachine::Lock(const std::string& path, bool locked) {
    FailOpen(path, locked ? win32::kSharingViolation : 0);
}

void SimMachine::FailOpen(const std::string& path, uint32_t win32Error) {
    if (Node* n = Find(Absolute(path))) n->openError = win32Error;
}

void SimMachine::KeepOnDelete(const std::string& path) {
    if (Node* n = Find(Absolute(path))) n->keepOnDelete = true;
}

void SimMachine::FailFind(const std::string& folder, size_t after, uint32_t win32Error) {
    if (Node* n = Find(Absolute(folder))) {
        n->findError = win32Error;
        n->findAfter = after;
    }
}

void SimMachine::CheckUnlocked(const std::string& path) const {
    const Node* n = Find(Absolute(path));
    if (n && n->openError) throw RtError(RtErrorFromWin32(n->openError));
}

void SimMachine::Delete(const std::string& path) {
    nodes_.erase(Key(Absolute(path)));
}

const SimMachine::Node* SimMachine::Find(const std::string& path) const {
    auto it = nodes_.find(Key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

SimMachine::Node* SimMachine::Find(const std::string& path) {
    auto it = nodes_.find(Key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

namespace {

// Windows reads a path as the documentation of its path formats says: a name
// that ends in a dot loses it ("Data.\x" is "Data\x"), and the last name
// loses every dot and blank at its end ("Data. " is "Data"). Only a path that
// asks to be taken as it stands (\\?\...) keeps them, as AddFolder does.
std::string AsWindowsReadsIt(const std::string& path) {
    std::string out;
    for (size_t at = 0;;) {
        const size_t end = path.find('\\', at);
        std::string name = path.substr(at, end == std::string::npos ? end : end - at);
        const bool plain = name.find_first_not_of(". ") != std::string::npos;
        if (end != std::string::npos && plain && name.back() == '.')
            name.pop_back();
        else if (end == std::string::npos && plain && name.find_first_of("*?") == std::string::npos)
            name.erase(name.find_last_not_of(". ") + 1);
        out += name;
        if (end == std::string::npos) return out;
        out += '\\';
        at = end + 1;
    }
}

} // namespace

std::string SimMachine::Absolute(const std::string& path) const {
    auto joined = [&]() -> std::string {
        if (path.size() >= 2 && path[1] == ':') {
            if (path.size() >= 3 && path[2] == '\\') return path;
            const SimDrive& d = drives[std::toupper(static_cast<unsigned char>(path[0])) - 'A'];
            std::string base =
                d.currentDir.empty() ? std::string(1, path[0]) + ":\\" : d.currentDir;
            if (path.size() == 2) return base;
            return (PathText::EndsWithSeparator(base) ? base : base + "\\") + path.substr(2);
        }
        if (path.rfind("\\\\", 0) == 0) return path; // \\server\share\...
        if (!path.empty() && path[0] == '\\') return currentDirectory.substr(0, 2) + path;
        std::string base = currentDirectory;
        return (PathText::EndsWithSeparator(base) ? base : base + "\\") + path;
    };
    return AsWindowsReadsIt(joined());
}

void SimMachine::CheckDrive(const std::string& path) const {
    if (path.rfind("\\\\", 0) == 0) return; // a share, always there
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        throw RtError(rtBadFileName);
    const SimDrive& d = drives[std::toupper(static_cast<unsigned char>(path[0])) - 'A'];
    if (!d.exists) throw RtError(rtDeviceUnavailable);
    if (!d.ready) throw RtError(RtErrorFromWin32(win32::kNotReady));
    if (d.fileError) throw RtError(RtErrorFromWin32(d.fileError));
}

namespace {

// Code page 437 for the letters the tests use; any other character above 127
// has no form there.
constexpr std::pair<const char*, char> kOem437[] = {
    {"\xC3\xA9", '\x82'}, // é
    {"\xC3\xBC", '\x81'}, // ü
    {"\xC3\xA4", '\x84'}, // ä
    {"\xC3\xB6", '\x94'}, // ö
    {"\xC3\x89", '\x90'}, // É
    {"\xC3\xA7", '\x87'}, // ç
};

} // namespace

bool SimMachine::ToOemCodePage(const std::string& text, std::string& oem) {
    oem.clear();
    for (size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            oem += text[i++];
            continue;
        }
        bool found = false;
        for (auto [utf8, b] : kOem437) {
            std::string letter = utf8;
            if (text.compare(i, letter.size(), letter) == 0) {
                oem += b;
                i += letter.size();
                found = true;
                break;
            }
        }
        if (!found) {
            oem.clear();
            return false;
        }
    }
    return true;
}

std::string SimMachine::FromOemCodePage(const std::string& oem) {
    std::string text;
    for (char c : oem) {
        std::string shown =
            static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : "\xEF\xBF\xBD"; // U+FFFD
        for (auto [utf8, b] : kOem437)
            if (b == c) shown = utf8;
        text += shown;
    }
    return text;
}

long SimMachine::FolderPath(int csidl, FolderType type, std::string& path) {
    if (csidl != kCsidlAppData) return 1;
    if (appDataResult == 0) path = type == FolderType::Current ? appData : appDataDefault;
    return appDataResult;
}

bool SimMachine::SpecialFolderPath(int csidl, std::string& path) {
    if (csidl != kCsidlStartup || !startupAvailable) return false;
    path = startup;
    // Asked with the create flag, the shell makes the folder when it has gone.
    try {
        CheckDrive(startup);
        if (!Exists(startup)) AddFolder(startup);
    } catch (const RtError&) {
    }
    return true;
}

namespace {

RootType RootTypeOf(const SimDrive& d) {
    return d.exists ? RootTypeOf(d.kind) : RootType::NoRootDir;
}

} // namespace

DriveKind SimMachine::Kind(char letter) {
    if (!std::isalpha(static_cast<unsigned char>(letter))) throw RtError(rtDeviceUnavailable);
    const SimDrive& d = Drive(letter);
    if (d.lookupError) throw RtError(d.lookupError);
    return DriveKindOf(RootTypeOf(d), d.exists || d.heldWithoutRoot);
}

uint32_t SimMachine::SerialNumber(char letter) {
    Kind(letter);
    const SimDrive& d = Drive(letter);
    bool held = d.exists || d.heldWithoutRoot;
    if (!d.exists) throw RtError(VolumeReadError(win32::kPathNotFound, RootTypeOf(d), held));
    if (!d.ready) throw RtError(VolumeReadError(win32::kNotReady, RootTypeOf(d), held));
    if (d.volumeError) throw RtError(VolumeReadError(d.volumeError, RootTypeOf(d), held));
    return d.serial;
}

std::string SimMachine::Label(char letter, DriveKind) {
    const SimDrive& d = Drive(letter);
    return d.exists && d.ready ? d.label : "";
}

void SimMachine::Find(const std::string& pattern,
                      const std::function<bool(const FoundEntry&)>& visit) {
    Tick("Find", pattern);
    std::string abs = Absolute(pattern);
    CheckDrive(abs);
    size_t cut = abs.rfind('\\');
    std::string dirKey = Key(abs.substr(0, cut == 2 ? 3 : cut));
    std::string name = PathText::Upper(abs.substr(cut + 1));
    const Node* dir = Find(dirKey);
    if (!dir || !dir->dir) throw RtError(rtPathNotFound);
    if (name.empty()) name = "*";
    // A folder that fails part way gives `findAfter` entries first.
    size_t given = 0;
    auto give = [&](const FoundEntry& e) {
        if (dir->findError && given++ == dir->findAfter)
            throw RtError(RtErrorFromWin32(dir->findError));
        return visit(e);
    };
    if (dirKey.size() > 3) {
        for (const char* dots : {".", ".."})
            if (Matches(name.c_str(), dots) && !give({dots, attrDirectory})) return;
    }
    for (const auto& [key, node] : nodes_) {
        if (key.size() <= 3 || ParentKey(key) != dirKey) continue;
        std::string leaf = LastName(node.path);
        if (!Matches(name.c_str(), PathText::Upper(leaf).c_str())) continue;
        if (!give({leaf, node.attrs | (node.dir ? attrDirectory : 0u)})) return;
    }
    // Fewer entries than that: the failure comes in place of the end.
    if (dir->findError) throw RtError(RtErrorFromWin32(dir->findError));
}

uint32_t SimMachine::Attributes(const std::string& path) {
    Tick("Attributes", path);
    std::string abs = Absolute(path);
    CheckDrive(abs);
    if (const Node* n = Find(abs)) return n->attrs | (n->dir ? attrDirectory : 0u);
    const Node* parent = Find(ParentKey(Key(abs)));
    throw RtError(parent && parent->dir ? rtFileNotFound : rtPathNotFound);
}

SimMachine::Node& SimMachine::FileForWrite(const std::string& path) {
    std::string abs = Absolute(path);
    CheckDrive(abs);
    Node* n = Find(abs);
    if (!n) {
        const Node* parent = Find(ParentKey(Key(abs)));
        if (!parent || !parent->dir) throw RtError(rtPathNotFound);
        n = &(nodes_[Key(abs)] = Node{abs, false, 0, ""});
    }
    if (n->dir || (n->attrs & attrReadOnly)) throw RtError(rtPathFileAccess);
    return *n;
}

std::unique_ptr<RandomFile> SimMachine::OpenRandom(const std::string& path, Mode mode) {
    Tick("OpenRandom", path);
    CheckUnlocked(path);
    if (mode == Mode::ReadWrite) {
        FileForWrite(path);
        return std::make_unique<SimRandomFile>(*this, Key(Absolute(path)), true);
    }
    uint32_t attrs = Attributes(path);
    if (attrs & attrDirectory) throw RtError(rtPathFileAccess);
    return std::make_unique<SimRandomFile>(*this, Key(Absolute(path)), false);
}

std::string SimMachine::ReadAll(const std::string& path) {
    Tick("ReadAll", path);
    CheckUnlocked(path);
    if (Attributes(path) & attrDirectory) throw RtError(rtPathFileAccess);
    return Find(Absolute(path))->data;
}

void SimMachine::Append(const std::string& path, const std::string& bytes) {
    bool failing = TickWrite("Append", path);
    CheckUnlocked(path);
    std::string& data = FileForWrite(path).data;
    Write(Absolute(path)[0], data, data.size(), bytes, failing);
}

void SimMachine::Truncate(const std::string& path, uint64_t length) {
    Tick("Truncate", path);
    CheckUnlocked(path);
    if (Attributes(path) & attrDirectory) throw RtError(rtPathFileAccess);
    std::string& data = FileForWrite(path).data;
    if (length < data.size()) {
        Free(path, data.size() - length);
        data.resize(length);
    }
}

void SimMachine::CreateNew(const std::string& path, const std::string& bytes) {
    bool failing = TickWrite("CreateNew", path);
    if (Find(Absolute(path))) throw RtError(rtFileAlreadyExists);
    Write(Absolute(path)[0], FileForWrite(path).data, 0, bytes, failing);
}

void SimMachine::Replace(const std::string& source, const std::string& target) {
    Tick("Replace", target);
    CheckUnlocked(source);
    CheckUnlocked(target);
    if (Attributes(source) & attrDirectory) throw RtError(rtPathFileAccess);
    Node moved = *Find(Absolute(source));
    Node& t = FileForWrite(target);
    Free(target, t.data.size());
    moved.path = t.path;
    t = moved;
    nodes_.erase(Key(Absolute(source)));
}

void SimMachine::Remove(const std::string& path) {
    Tick("Remove", path);
    CheckUnlocked(path);
    uint32_t attrs = Attributes(path);
    if (attrs & (attrDirectory | attrReadOnly)) throw RtError(rtPathFileAccess);
    if (Find(Absolute(path))->keepOnDelete) return;
    Free(path, Find(Absolute(path))->data.size());
    nodes_.erase(Key(Absolute(path)));
}

void SimMachine::Copy(const std::string& source, const std::string& target) {
    Tick("Copy", target);
    if (Attributes(source) & attrDirectory) throw RtError(rtPathFileAccess);
    if (Find(Absolute(target))) throw RtError(rtFileAlreadyExists);
    std::string data = Find(Absolute(source))->data;
    FileForWrite(target).data = data;
}

class SimFileLock : public FileLock {
public:
    SimFileLock(SimMachine& m, std::string key) : m_(m), key_(std::move(key)) {
        m_.locked_.insert(key_);
    }
    ~SimFileLock() override { m_.locked_.erase(key_); }

private:
    SimMachine& m_;
    std::string key_;
};

std::unique_ptr<FileLock> SimMachine::TryLock(const std::string& path) {
    Tick("TryLock", path);
    CheckUnlocked(path);
    if (Attributes(path) & attrDirectory) throw RtError(rtPathFileAccess);
    std::string key = Key(Absolute(path));
    if (locked_.count(key)) return nullptr;
    return std::make_unique<SimFileLock>(*this, key);
}

void SimMachine::ChangeDrive(char letter) {
    Tick("ChangeDrive", std::string(1, letter));
    CheckDrive(std::string(1, letter) + ":");
    currentDirectory = DriveCurrentDirectory(letter);
}

void SimMachine::ChangeDirectory(const std::string& path) {
    Tick("ChangeDirectory", path);
    std::string abs = Absolute(path);
    if (!(Attributes(abs) & attrDirectory)) throw RtError(rtPathNotFound);
    const Node* n = Find(abs);
    std::string real = n->path.size() == 3 ? n->path : n->path;
    if (abs[0] == '\\') { // a share has no drive of its own to remember it
        currentDirectory = real;
        return;
    }
    Drive(abs[0]).currentDir = real;
    if (std::toupper(static_cast<unsigned char>(abs[0])) ==
        std::toupper(static_cast<unsigned char>(currentDirectory[0])))
        currentDirectory = real;
}

std::string SimMachine::ShortPath(const std::string& path) {
    for (const auto& [longPath, shortPath] : shortPaths)
        if (Key(longPath) == Key(Absolute(path))) return shortPath;
    return "";
}

std::string SimMachine::DriveCurrentDirectory(char letter) {
    CheckDrive(std::string(1, letter) + ":");
    const SimDrive& d = Drive(letter);
    if (!d.currentDir.empty()) return d.currentDir;
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) +
           ":\\";
}

std::unique_ptr<Process> SimMachine::Launch(SimLaunch launch) {
    Tick("Launch", launch.commandLine + launch.parameters);
    launch.at = now;
    launch.currentDirectory = currentDirectory;
    launches.push_back(launch);
    if (onLaunch && !onLaunch(launches.back())) return nullptr;
    return std::make_unique<SimProcess>(*this, nextPid_++, now + processRunTime);
}

std::unique_ptr<Process> SimMachine::Shell(const std::string& program,
                                           const std::string& commandLine) {
    SimLaunch l;
    l.program = program;
    l.commandLine = commandLine;
    l.show = 0;
    return Launch(l);
}

std::unique_ptr<Process> SimMachine::ShellExec(WindowHandle owner, const std::string& verb,
                                               const std::string& file,
                                               const std::string& parameters,
                                               const std::string& directory, int show) {
    SimLaunch l;
    l.shellExecute = true;
    l.owner = owner;
    l.verb = verb;
    l.file = file;
    l.parameters = parameters;
    l.directory = directory;
    l.show = show;
    return Launch(l);
}

void SimMachine::Sleep(double seconds) {
    now += seconds;
    sleptTotal += seconds;
    ++sleepCalls;
    if (onSleep) onSleep();
}
