#pragma once

#include <string>

#include "support/Exception.h"

// Load failures of TDynamicLibrary.
class EDLLError : public Exception
{
public:
    using Exception::Exception;
};

// The library was found but its initialisation failed.
class EInitError : public EDLLError
{
public:
    using EDLLError::EDLLError;
};

// The library, or a library it needs, was not found.
class EFileNotFoundError : public EDLLError
{
public:
    using EDLLError::EDLLError;
};

// An entry point was asked for while no library is open.
class EDLLNotOpenError : public EDLLError
{
public:
    using EDLLError::EDLLError;
};

// One shared library loaded by file name at run time (dlopen/dlsym/dlclose).
class TDynamicLibrary
{
public:
    TDynamicLibrary() = default;
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    // Closes the library if open, then keeps the new name; does not open it.
    void SetLibraryName(const std::string& name);

    // Loads the library unless already open. A missing file (or a missing library it
    // needs) raises EFileNotFoundError, a failed initialisation EInitError; any other
    // failure leaves the object not open, and LastError() says why.
    void Open();
    bool IsOpen() const { return m_handle != nullptr; }

    // Address of an exported name, nullptr when it is not exported.
    // Raises EDLLNotOpenError when no library is open.
    void* GetProcAddress(const std::string& name) const;

    void Close();

    // The loader's text for the last failed Open, empty after a successful one.
    const std::string& LastError() const { return m_lastError; }

private:
    std::string m_name;
    void* m_handle = nullptr;
    std::string m_lastError;
};
