// The built programs as Explorer and the loader see them, read with Windows' own
// calls: an icon group of every size the Linux icons have, a version resource
// whose numbers are the project's, the manifest the loader reads, ASLR and DEP
// switched on in the file, and no DLL that Windows lacks.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <ostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* path;
    const char* fileName;
};
void PrintTo(const Program& program, std::ostream* out)
{
    *out << program.fileName;
}

class Executable : public testing::TestWithParam<Program> {
protected:
    void SetUp() override
    {
        module = LoadLibraryExA(GetParam().path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module, nullptr) << GetParam().path;
    }
    void TearDown() override
    {
        if (module)
            FreeLibrary(module);
    }

    // A resource's bytes, empty when the file has none of that type and name.
    std::string resource(const char* type, const char* name) const
    {
        HRSRC found = FindResourceA(module, name, type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        return bytes ? std::string(bytes, SizeofResource(module, found)) : "";
    }

    // A text of the version's US English, Unicode block.
    static std::string versionText(std::vector<char>& info, const std::string& name)
    {
        char* text = nullptr;
        UINT length = 0;
        std::string key = "\\StringFileInfo\\040904B0\\" + name;
        if (!VerQueryValueA(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || length == 0)
            return "";
        return std::string(text, length - 1);
    }

    HMODULE module = nullptr;
};

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_P(Executable, ItsFirstIconGroupHoldsTheIconAt16To256PixelsAndWindowsMakesIconsOfIt)
{
    // Explorer shows the group that comes first, the one numbered 1.
    std::string group = resource(RT_GROUP_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(group.size(), 6u);
    const WORD count = *reinterpret_cast<const WORD*>(&group[4]);
    ASSERT_EQ(group.size(), 6 + count * sizeof(GroupEntry));
    std::set<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const auto* entry = reinterpret_cast<const GroupEntry*>(&group[6 + i * sizeof(GroupEntry)]);
        const int side = entry->width ? entry->width : 256;
        sizes.insert(side);
        EXPECT_EQ(entry->height ? entry->height : 256, side);
        EXPECT_EQ(entry->bitsPerPixel, 32) << side;
        std::string image = resource(RT_ICON, MAKEINTRESOURCEA(entry->id));
        EXPECT_EQ(image.size(), entry->bytes) << side;
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48, 64, 128, 256}));

    // The sizes a taskbar and Explorer's views ask for.
    for (int side : {16, 32, 256}) {
        int id = LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(&group[0]), TRUE, side, side, LR_DEFAULTCOLOR);
        std::string image = resource(RT_ICON, MAKEINTRESOURCEA(id));
        ASSERT_FALSE(image.empty()) << side;
        HICON icon = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(&image[0]), DWORD(image.size()), TRUE,
                                              0x00030000, side, side, LR_DEFAULTCOLOR);
        ICONINFO parts{};
        BITMAP colour{};
        ASSERT_TRUE(icon && GetIconInfo(icon, &parts)) << side;
        GetObjectA(parts.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, side);
        DeleteObject(parts.hbmColor);
        DeleteObject(parts.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_P(Executable, ItsVersionIsTheProjectsWithTheProductNameAndCopyright)
{
    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeA(GetParam().path, &unused);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(GetParam().path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const std::string numbers = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                std::to_string(HIWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(numbers, GLIMORA_VERSION);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 0);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));

    EXPECT_EQ(versionText(info, "ProductName"), "Glimora");
    EXPECT_EQ(versionText(info, "ProductVersion"), GLIMORA_VERSION);
    EXPECT_EQ(versionText(info, "FileVersion"), GLIMORA_VERSION);
    EXPECT_EQ(versionText(info, "OriginalFilename"), GetParam().fileName);
    EXPECT_NE(versionText(info, "FileDescription").find("Glimora"), std::string::npos);
    EXPECT_EQ(versionText(info, "LegalCopyright"), GLIMORA_COPYRIGHT);
}

TEST_P(Executable, ItsManifestAsksForTheUsersRightsTodaysControlsPerMonitorDpiUtf8AndLongPaths)
{
    const std::string manifest = resource(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    for (const char* wanted :
         {"<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
          "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
          ">true/pm</dpiAware>", ">PerMonitorV2, PerMonitor</dpiAwareness>", ">UTF-8</activeCodePage>",
          ">true</longPathAware>"})
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
}

TEST_P(Executable, IsLoadedAtARandomPlaceAnywhereIn64BitsAndItsDataNeverRuns)
{
    std::ifstream file(GetParam().path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GE(bytes.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
    ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
    ASSERT_LE(size_t(dos->e_lfanew) + sizeof(IMAGE_NT_HEADERS64), bytes.size());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, DWORD(IMAGE_NT_SIGNATURE));
    ASSERT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);

    const WORD characteristics = nt->OptionalHeader.DllCharacteristics;
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) << "ASLR";
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA) << "high-entropy ASLR";
    EXPECT_TRUE(characteristics & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) << "DEP";
    // Without its relocations the loader cannot move the program, whatever the flags say.
    EXPECT_FALSE(nt->FileHeader.Characteristics & IMAGE_FILE_RELOCS_STRIPPED);
    EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);
}

// Wine brings DLLs that Windows lacks (zlib1.dll among them), so loading the
// program here proves nothing: its imports are read against what Windows has.
TEST_P(Executable, ImportsOnlyDllsThatWindowsHas)
{
    const std::set<std::string> windowsDlls{"advapi32.dll", "comdlg32.dll", "ddraw.dll", "dinput.dll", "dsound.dll",
                                            "gdi32.dll", "kernel32.dll", "msvcrt.dll", "ole32.dll", "shell32.dll",
                                            "user32.dll", "winmm.dll"};
    // Mapped as an image: its addresses are offsets from the base, whose low bits tell how it was loaded.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module) & ~ULONG_PTR(3));
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::set<std::string> named;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); entry->Name; ++entry) {
        std::string name = reinterpret_cast<const char*>(base + entry->Name);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        named.insert(name);
    }
    EXPECT_TRUE(named.count("kernel32.dll"));
    for (const std::string& name : named)
        EXPECT_TRUE(windowsDlls.count(name) || name.rfind("api-ms-win-", 0) == 0) << name;
}

INSTANTIATE_TEST_SUITE_P(Built, Executable,
                         testing::Values(Program{GLIMORA_PROGRAM, "glimora.exe"},
                                         Program{GLIMORA_CHECKER, "glimora-check.exe"}),
                         [](const testing::TestParamInfo<Program>& info) { return info.index ? "Checker" : "Program"; });

}  // namespace
