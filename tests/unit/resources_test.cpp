// The built executable carries its icon sizes, its pictures, the manifest and the version.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "lumbra_test.h"

namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA(lt::BuiltProgram("lumbra.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_TRUE(module) << GetLastError();
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }
    std::string Bytes(const char* name, const char* type) const
    {
        HRSRC found = FindResourceA(module, name, type);
        if (!found)
            return {};
        const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
        return std::string(data, SizeofResource(module, found));
    }
    HMODULE module = nullptr;
};

#pragma pack(push, 2)
struct IconDirEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, MainIconHasTheSizesTheShellAsksFor)
{
    std::string group = Bytes("MAINICON", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_GE(group.size(), 6u);
    WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    ASSERT_EQ(group.size(), 6u + count * sizeof(IconDirEntry));
    std::string sizes;
    for (WORD i = 0; i < count; ++i) {
        const auto* entry = reinterpret_cast<const IconDirEntry*>(group.data() + 6 + i * sizeof(IconDirEntry));
        sizes += std::to_string(entry->width ? entry->width : 256) + " ";
    }
    EXPECT_EQ(sizes, "16 32 48 256 ");
}

TEST_F(Resources, PicturesAre24BitBitmapsOfTheirSizes)
{
    const struct {
        const char* name;
        LONG width, height;
    } pictures[] = {{"BACK", 227, 142}, {"OK", 46, 29}, {"INFOAUTH", 227, 142}};
    for (const auto& p : pictures) {
        std::string bitmap = Bytes(p.name, MAKEINTRESOURCEA(2)); // RT_BITMAP
        ASSERT_GE(bitmap.size(), sizeof(BITMAPINFOHEADER)) << p.name;
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
        EXPECT_EQ(header->biWidth, p.width) << p.name;
        EXPECT_EQ(header->biHeight, p.height) << p.name;
        EXPECT_EQ(header->biBitCount, 24) << p.name;
    }
}

TEST_F(Resources, ManifestAsksForCommonControlsDpiAwarenessAndNoElevation)
{
    std::string manifest = Bytes(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)); // RT_MANIFEST
    for (const char* part : {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "level=\"asInvoker\"",
                             "PerMonitorV2", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
}

TEST_F(Resources, VersionNamesTheProduct)
{
    std::string exe = lt::BuiltProgram("lumbra.exe");
    DWORD size = GetFileVersionInfoSizeA(exe.c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
    for (auto [key, value] : {std::pair{"ProductName", "Lumbra"}, std::pair{"OriginalFilename", "lumbra.exe"},
                              std::pair{"FileVersion", "1.0.0.0"}}) {
        char* text = nullptr;
        UINT length = 0;
        std::string query = std::string("\\StringFileInfo\\040904E4\\") + key;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << key;
        EXPECT_STREQ(text, value);
    }
}

} // namespace
