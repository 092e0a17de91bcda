#include "support/TDynamicLibrary.h"

#include <dlfcn.h>
#include <sys/stat.h>

namespace {

bool FileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool MentionsMissingFile(const std::string& text)
{
    return text.find("No such file or directory") != std::string::npos
        || text.find("cannot open shared object file") != std::string::npos;
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
