// qx-inspect: starts a program with the inspector probe preloaded (LD_PRELOAD), the options passed in
// QX_INSPECT_* variables. Plain C++ with no Qt: it only reads the program's ELF header to see whether
// the program links Qt 6 Widgets, finds the probe, sets the environment and replaces itself with the
// program, whose exit code is then its own. A program that does not link Qt 6 Widgets runs untouched.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <elf.h>
#include <limits.h>
#include <unistd.h>

namespace {

constexpr const char *ProbeName = "libQXInspectorProbe.so";

void usage()
{
    std::fputs("usage: qx-inspect [options] PROGRAM [ARGS...]\n"
               "Starts PROGRAM, a Qt 6 Widgets application, with an inspector window on its objects.\n"
               "  --select NAMES     select the objects of these names or classes (comma-separated)\n"
               "  --set PATH=VALUE   type VALUE into the inspector's row PATH of the selection (repeatable)\n"
               "  --screenshot FILE  save a PNG of the inspector window, then quit the program\n"
               "  --list             print the program's object tree, then quit the program\n"
               "  --wait MS          wait MS milliseconds after selecting before the actions above\n"
               "  --quit             quit the program after the actions above\n"
               "  --chord KEYS       the keys that show and hide the window (default Ctrl+Shift+I)\n"
               "  --hidden           start with the window hidden\n"
               "  --no-picker        Ctrl+click reaches the program instead of selecting a widget\n"
               "  --force            preload the probe even when PROGRAM does not seem to link Qt 6 Widgets\n"
               "  -v, --verbose      report on stderr what is inspected and written\n",
               stderr);
}

/// The libraries an ELF file names as its direct dependencies (DT_NEEDED); empty when it is no
/// dynamically linked ELF file of this machine's byte order.
template<class Ehdr, class Phdr, class Dyn> std::vector<std::string> neededOf(const std::string &data)
{
    std::vector<std::string> needed;
    if (data.size() < sizeof(Ehdr))
        return needed;
    Ehdr header;
    std::memcpy(&header, data.data(), sizeof header);
    std::vector<Phdr> segments;
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        const auto at = std::size_t(header.e_phoff) + std::size_t(i) * header.e_phentsize;
        if (at + sizeof(Phdr) > data.size())
            return needed;
        Phdr segment;
        std::memcpy(&segment, data.data() + at, sizeof segment);
        segments.push_back(segment);
    }
    // The string table is given by address: a loaded segment maps it back to a file offset.
    auto offsetOf = [&](std::uint64_t address) -> std::uint64_t {
        for (const Phdr &segment : segments)
            if (segment.p_type == PT_LOAD && address >= segment.p_vaddr
                && address < segment.p_vaddr + segment.p_filesz)
                return address - segment.p_vaddr + segment.p_offset;
        return 0;
    };
    for (const Phdr &segment : segments) {
        if (segment.p_type != PT_DYNAMIC)
            continue;
        std::vector<std::uint64_t> names;
        std::uint64_t strings = 0;
        for (std::size_t at = segment.p_offset;
             at + sizeof(Dyn) <= data.size() && at + sizeof(Dyn) <= segment.p_offset + segment.p_filesz;
             at += sizeof(Dyn)) {
            Dyn entry;
            std::memcpy(&entry, data.data() + at, sizeof entry);
            if (entry.d_tag == DT_NULL)
                break;
            if (entry.d_tag == DT_NEEDED)
                names.push_back(entry.d_un.d_val);
            else if (entry.d_tag == DT_STRTAB)
                strings = offsetOf(entry.d_un.d_ptr);
        }
        for (const std::uint64_t name : names)
            if (strings && strings + name < data.size())
                needed.emplace_back(data.c_str() + strings + name);
    }
    return needed;
}

std::vector<std::string> neededOf(const std::string &file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < EI_NIDENT || std::memcmp(data.data(), ELFMAG, SELFMAG) != 0)
        return {};
    if (data[EI_CLASS] == ELFCLASS64)
        return neededOf<Elf64_Ehdr, Elf64_Phdr, Elf64_Dyn>(data);
    return neededOf<Elf32_Ehdr, Elf32_Phdr, Elf32_Dyn>(data);
}

bool startsWith(const std::string &text, const char *prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

/// The program file exec would run: Name itself when it holds a slash, else the first on PATH.
std::string findProgram(const std::string &name)
{
    if (name.find('/') != std::string::npos)
        return name;
    const char *path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t begin = 0; begin <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', begin), dirs.size());
        std::string file = (end == begin ? std::string(".") : dirs.substr(begin, end - begin)) + '/' + name;
        if (access(file.c_str(), X_OK) == 0)
            return file;
        begin = end + 1;
    }
    return name;
}

/// The probe: beside this program in the build tree, in the library folder when installed.
std::string findProbe()
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return {};
    self[length] = '\0';
    std::string dir(self);
    dir.erase(dir.rfind('/'));
    for (const std::string &candidate :
         { dir + '/' + ProbeName, dir + '/' + QX_PROBE_INSTALL_RELATIVE + '/' + ProbeName })
        if (access(candidate.c_str(), R_OK) == 0)
            return candidate;
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    // Each option and the variable that passes it to the probe.
    struct TValueOption
    {
        const char *Name;
        const char *Variable;
    };
    const TValueOption valueOptions[] = { { "--select", "QX_INSPECT_SELECT" },
                                          { "--screenshot", "QX_INSPECT_SCREENSHOT" },
                                          { "--wait", "QX_INSPECT_WAIT" },
                                          { "--chord", "QX_INSPECT_CHORD" } };
    const TValueOption flagOptions[]
        = { { "--list", "QX_INSPECT_LIST" },       { "--quit", "QX_INSPECT_QUIT" },
            { "--hidden", "QX_INSPECT_HIDDEN" },   { "--no-picker", "QX_INSPECT_NO_PICKER" },
            { "--verbose", "QX_INSPECT_VERBOSE" }, { "-v", "QX_INSPECT_VERBOSE" } };
    std::vector<std::pair<std::string, std::string>> variables;
    std::string sets;
    bool force = false;
    int at = 1;
    auto find = [](const auto &table, const std::string &option) -> const TValueOption * {
        for (const TValueOption &entry : table)
            if (option == entry.Name)
                return &entry;
        return nullptr;
    };
    for (; at < argc && argv[at][0] == '-'; ++at) {
        const std::string option = argv[at];
        if (option == "--") {
            ++at;
            break;
        }
        if (option == "--help" || option == "-h") {
            usage();
            return 0;
        }
        if (option == "--force") {
            force = true;
            continue;
        }
        if (const TValueOption *flag = find(flagOptions, option)) {
            variables.emplace_back(flag->Variable, "1");
            continue;
        }
        const TValueOption *valued = find(valueOptions, option);
        if (!valued && option != "--set") {
            std::fprintf(stderr, "qx-inspect: unknown option %s\n", option.c_str());
            usage();
            return 2;
        }
        if (at + 1 >= argc) {
            std::fprintf(stderr, "qx-inspect: %s needs a value\n", option.c_str());
            return 2;
        }
        const std::string value = argv[++at];
        if (valued)
            variables.emplace_back(valued->Variable, value);
        else
            sets += value + '\n';
    }
    if (at >= argc) {
        usage();
        return 2;
    }

    const std::string program = findProgram(argv[at]);
    if (access(program.c_str(), X_OK) != 0) {
        std::fprintf(stderr, "qx-inspect: cannot run %s: %s\n", argv[at], std::strerror(errno));
        return 127;
    }
    const std::vector<std::string> needed = neededOf(program);
    bool widgets = false;
    for (const std::string &library : needed)
        widgets |= startsWith(library, "libQt6Widgets.so");
    const std::string probe = findProbe();
    if (!widgets && !force) {
        std::fprintf(stderr,
                     "qx-inspect: %s does not link Qt 6 Widgets; it runs without the inspector "
                     "(--force preloads it anyway)\n",
                     argv[at]);
    } else if (probe.empty()) {
        std::fprintf(stderr,
                     "qx-inspect: %s not found beside qx-inspect or in %s; the program runs "
                     "without the inspector\n",
                     ProbeName, QX_PROBE_INSTALL_RELATIVE);
    } else {
        // A sanitized probe needs the sanitizer runtimes loaded before it, as the first libraries.
        std::string preload;
        for (const std::string &library : neededOf(probe))
            if (startsWith(library, "libasan.so") || startsWith(library, "libubsan.so"))
                preload += library + ' ';
        preload += probe;
        const char *old = std::getenv("LD_PRELOAD");
        // The probe gives the program back its own LD_PRELOAD before main.
        setenv("QX_INSPECT_LD_PRELOAD", old ? old : "", 1);
        if (old && *old)
            preload += std::string(" ") + old;
        setenv("LD_PRELOAD", preload.c_str(), 1);
        setenv("QX_INSPECT", "1", 1);
        if (!sets.empty())
            setenv("QX_INSPECT_SET", sets.c_str(), 1);
        for (const auto &[name, value] : variables)
            setenv(name.c_str(), value.c_str(), 1);
    }
    execv(program.c_str(), argv + at);
    std::fprintf(stderr, "qx-inspect: cannot run %s: %s\n", argv[at], std::strerror(errno));
    return 127;
}
