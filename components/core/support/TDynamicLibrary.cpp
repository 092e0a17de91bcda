#include "support/TDynamicLibrary.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include <dlfcn.h>
#include <elf.h>
#include <sys/stat.h>

namespace {

bool FileExists(const std::string& path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0;
}

bool MentionsMissingFile(const std::string& text)
{
    return text.find("No such file or directory") != std::string::npos
           || text.find("cannot open shared object file") != std::string::npos;
}

// The loader maps a library's segments straight from the file; a segment that reaches past the
// end of a cut-short file (a copy that stopped halfway) is only found when it is touched, and then
// the process dies of a bus error inside dlopen. Returns the reason when a segment of a native
// ELF file lies beyond the file's end; anything else is left for dlopen to judge.
template<typename Header, typename ProgramHeader>
std::string CutShortReason(std::ifstream& in, std::uint64_t size)
{
    Header header{};
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(&header), sizeof header)) {
        return {};
    }
    if (header.e_phentsize != sizeof(ProgramHeader)) {
        return {};
    }
    const std::uint64_t table = header.e_phoff;
    const std::uint64_t tableSize = std::uint64_t{header.e_phnum} * sizeof(ProgramHeader);
    if (table > size || tableSize > size - table) {
        return "the file is cut short: its program headers lie beyond its end";
    }
    std::vector<ProgramHeader> programs(header.e_phnum);
    in.seekg(static_cast<std::streamoff>(table));
    if (!in.read(reinterpret_cast<char*>(programs.data()),
                 static_cast<std::streamsize>(tableSize))) {
        return {};
    }
    for (const ProgramHeader& program : programs) {
        const std::uint64_t offset = program.p_offset;
        const std::uint64_t length = program.p_filesz;
        if (program.p_type == PT_LOAD && (offset > size || length > size - offset)) {
            return "the file is cut short: it ends at byte " + std::to_string(size)
                   + ", before the end of a segment it loads (byte "
                   + std::to_string(offset + length) + ")";
        }
    }
    return {};
}

std::string CutShortReason(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char ident[EI_NIDENT] = {};
    if (!in || !in.read(reinterpret_cast<char*>(ident), EI_NIDENT)
        || std::memcmp(ident, ELFMAG, SELFMAG) != 0) {
        return {};
    }
    const bool littleEndian = std::endian::native == std::endian::little;
    if (ident[EI_DATA] != (littleEndian ? ELFDATA2LSB : ELFDATA2MSB)) {
        return {};
    }
    in.seekg(0, std::ios::end);
    const std::streamoff end = in.tellg();
    if (end < 0) {
        return {};
    }
    const auto size = static_cast<std::uint64_t>(end);
    if (ident[EI_CLASS] == ELFCLASS64) {
        return CutShortReason<Elf64_Ehdr, Elf64_Phdr>(in, size);
    }
    if (ident[EI_CLASS] == ELFCLASS32) {
        return CutShortReason<Elf32_Ehdr, Elf32_Phdr>(in, size);
    }
    return {};
}

} // namespace

TDynamicLibrary::~TDynamicLibrary()
{
    Close();
}

void TDynamicLibrary::SetLibraryName(const std::string& name)
{
    Close();
    m_name = name;
}

void TDynamicLibrary::Open()
{
    if (IsOpen()) {
        return;
    }
    m_lastError.clear();
    if (const std::string reason = CutShortReason(m_name); !reason.empty()) {
        m_lastError = m_name + ": " + reason;
        return;
    }
    // A name with a slash is taken as a path; dlopen would otherwise search the
    // system folders, which is never what the program means.
    m_handle = ::dlopen(m_name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle != nullptr) {
        return;
    }
    const char* text = ::dlerror();
    m_lastError = text != nullptr ? text : "unknown error";
    if (m_name.empty() || !FileExists(m_name) || MentionsMissingFile(m_lastError)) {
        throw EFileNotFoundError("Library could not be located");
    }
    if (m_lastError.find("initializ") != std::string::npos) {
        throw EInitError("Library failed to properly initialize");
    }
}

void* TDynamicLibrary::GetProcAddress(const std::string& name) const
{
    if (!IsOpen()) {
        throw EDLLNotOpenError("Library is not open");
    }
    ::dlerror();
    return ::dlsym(m_handle, name.c_str());
}

void TDynamicLibrary::Close()
{
    if (IsOpen()) {
        ::dlclose(m_handle);
        m_handle = nullptr;
    }
}
