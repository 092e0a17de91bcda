#include "support/TDynamicLibrary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using ExportFn = std::int32_t (*)(std::int32_t);

TEST(TDynamicLibrary, MissingFileRaisesNotFound)
{
    TDynamicLibrary lib;
    lib.SetLibraryName("/nonexistent/folder/libnothing.so");
    try {
        lib.Open();
        FAIL() << "expected EFileNotFoundError";
    } catch (const EFileNotFoundError& e) {
        EXPECT_EQ(e.Message(), "Library could not be located");
    }
    EXPECT_FALSE(lib.IsOpen());
}

TEST(TDynamicLibrary, ProcAddressWhileClosedRaisesNotOpen)
{
    TDynamicLibrary lib;
    try {
        lib.GetProcAddress("IQUARN");
        FAIL() << "expected EDLLNotOpenError";
    } catch (const EDLLNotOpenError& e) {
        EXPECT_EQ(e.Message(), "Library is not open");
    }
}

TEST(TDynamicLibrary, FileThatIsNoLibraryStaysClosedSilently)
{
    TDynamicLibrary lib;
    lib.SetLibraryName(std::string(QUARN_SOURCE_DIR) + "/CMakeLists.txt");
    EXPECT_NO_THROW(lib.Open());
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_FALSE(lib.LastError().empty());
    EXPECT_THROW(lib.GetProcAddress("IQUARN"), EDLLNotOpenError);
}

TEST(TDynamicLibrary, EngineModuleOpensAndExportsBothNames)
{
    TDynamicLibrary lib;
    lib.SetLibraryName(QUARN_ENGINE_MODULE);
    lib.Open();
    ASSERT_TRUE(lib.IsOpen());
    lib.Open(); // a second Open changes nothing
    EXPECT_TRUE(lib.IsOpen());
    EXPECT_NE(lib.GetProcAddress("IQUARN"), nullptr);
    EXPECT_NE(lib.GetProcAddress("_IQUARN"), nullptr);
    EXPECT_EQ(lib.GetProcAddress("NoSuchEntry"), nullptr);
    auto fn = reinterpret_cast<ExportFn>(lib.GetProcAddress("_IQUARN"));
    EXPECT_EQ(fn(1), 1);

    lib.SetLibraryName(QUARN_ENGINE_MODULE); // a new name unloads first
    EXPECT_FALSE(lib.IsOpen());
    lib.Close(); // closing a closed library changes nothing
    EXPECT_FALSE(lib.IsOpen());
}

} // namespace
