// The shipped 32-bit Sorvane.exe read as data, whichever build the other tests drive: a 32-bit
// GUI program that needs only Windows' own DLLs, with its version, manifest, icons and dialogs.
#include "harness.h"

#include <cstdlib>
#include <cwchar>

namespace {

BOOL CALLBACK FirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first)
{
    *reinterpret_cast<std::string *>(first) = IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<UINT_PTR>(name)) : name;
    return FALSE;
}

using Words = std::vector<DWORD>;

TEST(ShippedFileTest, IsA32BitGuiProgramWithItsResources)
{
    const char *shipped = std::getenv("SORVANE_SHIPPED_EXE"), *exe = std::getenv("SORVANE_EXE");
    const std::string path = shipped && *shipped ? shipped : exe ? exe : "C:\\sorvane\\Sorvane.exe";
    HMODULE file = LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_TRUE(file != NULL) << path;
    const BYTE *base = reinterpret_cast<const BYTE *>(reinterpret_cast<UINT_PTR>(file) & ~static_cast<UINT_PTR>(3));
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS32 *>(base + reinterpret_cast<const IMAGE_DOS_HEADER *>(base)->e_lfanew);
    EXPECT_EQ((Words{IMAGE_FILE_MACHINE_I386, IMAGE_NT_OPTIONAL_HDR32_MAGIC, IMAGE_SUBSYSTEM_WINDOWS_GUI}),
              (Words{nt->FileHeader.Machine, nt->OptionalHeader.Magic, nt->OptionalHeader.Subsystem}));
    const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(0u, imports.VirtualAddress);
    const std::string windowsOwn = " kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll "
                                   "advapi32.dll msvcrt.dll ole32.dll shlwapi.dll ";
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress); d->Name; ++d) {
        std::string dll = reinterpret_cast<const char *>(base + d->Name);
        CharLowerA(&dll[0]);
        EXPECT_NE(std::string::npos, windowsOwn.find(" " + dll + " ")) << dll << " is not a DLL that Windows ships";
    }

    DWORD size = GetFileVersionInfoSizeA(path.c_str(), NULL);
    std::vector<char> version(size + 1);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, version.data()));
    char *product = nullptr;
    UINT n = 0;
    VerQueryValueA(version.data(), "\\StringFileInfo\\040904B0\\ProductVersion", reinterpret_cast<void **>(&product), &n);
    EXPECT_STREQ("1.0", product);

    auto resource = [&](LPCSTR name, LPCSTR type, DWORD *bytes) -> const BYTE * {
        HRSRC r = FindResourceA(file, name, type);
        *bytes = r ? SizeofResource(file, r) : 0;
        return r ? static_cast<const BYTE *>(LockResource(LoadResource(file, r))) : nullptr;
    };
    DWORD bytes = 0;
    const BYTE *manifest = resource(MAKEINTRESOURCEA(1), RT_MANIFEST, &bytes);
    ASSERT_TRUE(manifest != nullptr);
    std::string text(reinterpret_cast<const char *>(manifest), bytes);
    size_t controls = text.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, controls);
    std::string identity = text.substr(controls, text.find("/>", controls) - controls);
    EXPECT_TRUE(identity.find("version=\"6.0.0.0\"") != std::string::npos &&
                identity.find("processorArchitecture=\"x86\"") != std::string::npos) << identity;
    // Run as invoked, so that Windows does not redirect a denied write to the VirtualStore.
    EXPECT_NE(std::string::npos, text.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security><requestedPrivileges>"
                                           "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"));

    // Icon groups "A", the first, which the shell shows for the file, and 800.
    std::string first;
    EnumResourceNamesA(file, RT_GROUP_ICON, FirstName, reinterpret_cast<LONG_PTR>(&first));
    EXPECT_EQ("A", first);
    EXPECT_TRUE(resource(MAKEINTRESOURCEA(800), RT_GROUP_ICON, &bytes) != nullptr);

    // The frames of the dialogs: 127 a classic template, 500 an extended one with its font.
    const DLGTEMPLATE *advanced = reinterpret_cast<const DLGTEMPLATE *>(resource(MAKEINTRESOURCEA(127), RT_DIALOG, &bytes));
    ASSERT_TRUE(advanced != nullptr);
    EXPECT_EQ((Words{0x80C80080u, 430, 250}),
              (Words{advanced->style, static_cast<DWORD>(advanced->cx), static_cast<DWORD>(advanced->cy)}));
    const WORD *progress = reinterpret_cast<const WORD *>(resource(MAKEINTRESOURCEA(500), RT_DIALOG, &bytes));
    ASSERT_TRUE(progress != nullptr);
    const DWORD *head = reinterpret_cast<const DWORD *>(progress);   // version, help id, styles
    const WORD *frame = progress + 8;   // controls, x, y, cx, cy, menu, class
    EXPECT_EQ((Words{0xFFFF0001u, WS_EX_TOOLWINDOW, 0x80C000C0u, 340, 170, 0, 0}),
              (Words{head[0], head[2], head[3], frame[3], frame[4], frame[5], frame[6]}));
    const WCHAR *p = reinterpret_cast<const WCHAR *>(frame + 7);
    EXPECT_EQ(0, std::wcscmp(L"Sorvane 1.0", p));
    p += std::wcslen(p) + 1;   // points, weight, italic and character set
    EXPECT_EQ((Words{8, 0, 0x0100}), (Words{p[0], p[1], p[2]}));
    EXPECT_EQ(0, std::wcscmp(L"MS Sans Serif", p + 3));
    FreeLibrary(file);
}

}  // namespace
