#include "support/TDynamicLibrary.h"

#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "TestFolder.h"

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

// A copy of the engine module that stopped halfway: the loader would map segments past the
// file's end and die of a bus error when it touched them. It is refused before loading, with the
// path and the reason; the whole file still loads.
TEST(TDynamicLibrary, CutShortLibraryIsRefusedWithItsReasonNotLoaded)
{
    namespace fs = std::filesystem;
    const TTestFolder folder;
    const fs::path whole = QUARN_ENGINE_MODULE;
    const auto size = fs::file_size(whole);
    ASSERT_GT(size, 200000u);
    for (const std::uintmax_t cut : {1000, 4000, 20000, 100000}) {
        const fs::path copy = folder.Path() / ("cut-" + std::to_string(cut) + ".so");
        fs::copy_file(whole, copy);
        fs::resize_file(copy, cut);
        TDynamicLibrary lib;
        lib.SetLibraryName(copy.string());
        EXPECT_NO_THROW(lib.Open()) << cut;
        EXPECT_FALSE(lib.IsOpen()) << cut;
        EXPECT_EQ(lib.LastError().rfind(copy.string() + ": the file is cut short", 0), 0u)
            << cut << ": " << lib.LastError();
    }
    const fs::path copy = folder.Path() / "whole.so";
    fs::copy_file(whole, copy);
    TDynamicLibrary lib;
    lib.SetLibraryName(copy.string());
    lib.Open();
    EXPECT_TRUE(lib.IsOpen()) << lib.LastError();
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
