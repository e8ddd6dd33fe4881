// The resources of the built Sorvane.exe, read as data: icons, dialog frames and the manifest.
#include "harness.h"

#include <cstdlib>
#include <cstring>

namespace {

// The shipped 32-bit file, also where the tests drive the 64-bit build of the same sources.
const char *ShippedExe()
{
    const char *exe = std::getenv("SORVANE_SHIPPED_EXE");
    if (!exe)
        exe = std::getenv("SORVANE_EXE");
    return exe ? exe : "C:\\sorvane\\Sorvane.exe";
}

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA(ShippedExe(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module != NULL);
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }
    const BYTE *Resource(LPCSTR name, LPCSTR type, DWORD *size = nullptr) const
    {
        HRSRC res = FindResourceA(module, name, type);
        if (!res)
            return nullptr;
        if (size)
            *size = SizeofResource(module, res);
        return static_cast<const BYTE *>(LockResource(LoadResource(module, res)));
    }
    HMODULE module = NULL;
};

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

static BOOL CALLBACK FirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param)
{
    *reinterpret_cast<std::string *>(param) = IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    return FALSE;
}

TEST_F(ResourcesTest, IconGroupsHoldOneThirtyTwoBitImageAndAComesFirst)
{
    const LPCSTR names[] = {MAKEINTRESOURCEA(800), "A"};
    for (LPCSTR name : names) {
        const BYTE *group = Resource(name, RT_GROUP_ICON);
        ASSERT_TRUE(group != nullptr);
        const WORD *header = reinterpret_cast<const WORD *>(group);
        EXPECT_EQ(1, header[1]);  // icons
        ASSERT_EQ(1, header[2]);  // one image
        const IconGroupEntry *entry = reinterpret_cast<const IconGroupEntry *>(group + 6);
        EXPECT_EQ(32, entry->width);
        EXPECT_EQ(32, entry->height);
        EXPECT_EQ(32, entry->bitCount);
    }
    std::string first;
    EnumResourceNamesA(module, RT_GROUP_ICON, FirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ("A", first);
}

TEST_F(ResourcesTest, AdvancedDialogIsAClassicTemplateWithoutControls)
{
    const BYTE *t = Resource(MAKEINTRESOURCEA(127), RT_DIALOG);
    ASSERT_TRUE(t != nullptr);
    const DLGTEMPLATE *d = reinterpret_cast<const DLGTEMPLATE *>(t);
    EXPECT_EQ(0x80C80080u, d->style);
    EXPECT_EQ(0u, d->dwExtendedStyle);
    EXPECT_EQ(0, d->cdit);
    EXPECT_EQ(0, d->x);
    EXPECT_EQ(0, d->y);
    EXPECT_EQ(430, d->cx);
    EXPECT_EQ(250, d->cy);
    const WCHAR *p = reinterpret_cast<const WCHAR *>(d + 1);
    EXPECT_EQ(0, p[0]);  // no menu
    EXPECT_EQ(0, p[1]);  // standard class
    EXPECT_EQ(0, std::wcscmp(L"Advances Search Settings", p + 2));
}

TEST_F(ResourcesTest, ProgressDialogIsAnExtendedTemplateWithItsFont)
{
    const BYTE *t = Resource(MAKEINTRESOURCEA(500), RT_DIALOG);
    ASSERT_TRUE(t != nullptr);
    const WORD *w = reinterpret_cast<const WORD *>(t);
    EXPECT_EQ(1, w[0]);
    EXPECT_EQ(0xFFFF, w[1]);
    const DWORD *dw = reinterpret_cast<const DWORD *>(t + 4);
    EXPECT_EQ(0u, dw[0]);                          // help ID
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), dw[1]);
    EXPECT_EQ(0x80C000C0u, dw[2]);
    const WORD *rest = reinterpret_cast<const WORD *>(t + 16);
    EXPECT_EQ(0, rest[0]);                         // controls
    EXPECT_EQ(0, static_cast<short>(rest[1]));
    EXPECT_EQ(0, static_cast<short>(rest[2]));
    EXPECT_EQ(340, rest[3]);
    EXPECT_EQ(170, rest[4]);
    const WCHAR *p = reinterpret_cast<const WCHAR *>(rest + 5);
    EXPECT_EQ(0, p[0]);                            // no menu
    EXPECT_EQ(0, p[1]);                            // standard class
    p += 2;
    EXPECT_EQ(0, std::wcscmp(L"Sorvane 1.0", p));
    p += std::wcslen(p) + 1;
    EXPECT_EQ(8, p[0]);                            // points
    EXPECT_EQ(0, p[1]);                            // weight
    const BYTE *italicCharset = reinterpret_cast<const BYTE *>(p + 2);
    EXPECT_EQ(0, italicCharset[0]);
    EXPECT_EQ(1, italicCharset[1]);
    EXPECT_EQ(0, std::wcscmp(L"MS Sans Serif", p + 3));
}

TEST_F(ResourcesTest, ManifestAsksForCommonControlsSix)
{
    DWORD size = 0;
    const BYTE *m = Resource(MAKEINTRESOURCEA(1), RT_MANIFEST, &size);
    ASSERT_TRUE(m != nullptr);
    std::string text(reinterpret_cast<const char *>(m), size);
    EXPECT_NE(std::string::npos, text.find("<description>Sorvane</description>"));
    size_t dep = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, dep);
    std::string identity = text.substr(dep, text.find("/>", dep) - dep);
    EXPECT_NE(std::string::npos, identity.find("version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, identity.find("processorArchitecture=\"x86\""));
}

TEST_F(ResourcesTest, IsAThirtyTwoBitGuiProgram)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(reinterpret_cast<UINT_PTR>(module) & ~static_cast<UINT_PTR>(3));
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    ASSERT_EQ(IMAGE_DOS_SIGNATURE, dos->e_magic);
    const IMAGE_NT_HEADERS32 *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(base + dos->e_lfanew);
    EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
    EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
    EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);
}

// Every DLL the program imports is one that Windows ships, so the file runs on its own. The file
// is read as data (a 64-bit test cannot map a 32-bit image), so addresses are turned into offsets.
TEST_F(ResourcesTest, ImportsOnlyWindowsOwnDlls)
{
    const BYTE *base = reinterpret_cast<const BYTE *>(reinterpret_cast<UINT_PTR>(module) & ~static_cast<UINT_PTR>(3));
    const IMAGE_NT_HEADERS32 *nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    ASSERT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
    const IMAGE_SECTION_HEADER *sections = IMAGE_FIRST_SECTION(nt);
    auto at = [&](DWORD rva) -> const BYTE * {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER &sec = sections[i];
            if (rva >= sec.VirtualAddress && rva < sec.VirtualAddress + sec.SizeOfRawData)
                return base + sec.PointerToRawData + (rva - sec.VirtualAddress);
        }
        return nullptr;
    };
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const BYTE *first = at(dir.VirtualAddress);
    ASSERT_TRUE(first != nullptr);
    const char *const windowsOwn[] = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll",
                                      "comdlg32.dll", "shell32.dll", "advapi32.dll", "msvcrt.dll",
                                      "ole32.dll", "shlwapi.dll"};
    int count = 0;
    for (const IMAGE_IMPORT_DESCRIPTOR *d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(first); d->Name;
         ++d, ++count) {
        const char *name = reinterpret_cast<const char *>(at(d->Name));
        ASSERT_TRUE(name != nullptr);
        bool known = false;
        for (const char *own : windowsOwn)
            known = known || _stricmp(own, name) == 0;
        EXPECT_TRUE(known) << name << " is not a DLL that Windows ships";
    }
    EXPECT_GE(count, 3);
}

TEST_F(ResourcesTest, VersionResourceNamesTheProduct)
{
    const char *path = ShippedExe();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_NE(0u, size);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void **>(&fixed), &len));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    auto value = [&](const char *key) {
        char *text = nullptr;
        UINT n = 0;
        std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
        return VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void **>(&text), &n) && text
                   ? std::string(text) : std::string();
    };
    EXPECT_EQ("Sorvane", value("ProductName"));
    EXPECT_EQ("1.0", value("ProductVersion"));
    EXPECT_FALSE(value("FileDescription").empty());
    EXPECT_EQ("Copyright (c) 2026 The Sorvane developers", value("LegalCopyright"));
}

}  // namespace
