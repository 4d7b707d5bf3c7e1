// The menu, accelerators, icons and version record linked into the executable.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

struct MenuRow {
    int popup;
    UINT id;  // 0 for a separator
    const char* caption;
    bool greyed;
};

const char* const kPopups[] = {"&File", "&Edit", "&View", "&Tools", "&Help"};

const MenuRow kMenuRows[] = {
    {0, cmdNew, "&New\tCtrl+N", false},
    {0, cmdOpen, "&Open\tCtrl+O", false},
    {0, cmdSave, "&Save\tCtrl+S", false},
    {0, cmdSaveAs, "Save &as...", false},
    {0, cmdClose, "&Close\tCtrl+F4", false},
    {0, 0, "", false},
    {0, cmdExit, "E&xit\tAlt+X", false},
    {1, cmdUndo, "&Undo\tCtrl+Z", false},
    {1, cmdRedo, "&Redo\tCtrl+Y", false},
    {1, 0, "", false},
    {1, cmdDeleteItem, "&Delete item\tDel", false},
    {1, 0, "", false},
    {1, cmdGoToOffset, "&Go to offset...\tCtrl+G", false},
    {2, cmdBytesBeside, "Bytes &beside the rows", false},
    {2, cmdBytesBelow, "Bytes be&low the rows", false},
    {3, cmdListTemplates, "&List templates...\tCtrl+L", false},
    {3, 0, "", false},
    {3, cmdPreferences, "&Preferences...", false},
    {4, cmdHelpIndex, "&Index...", false},
    {4, cmdHelpContents, "Contents...", false},
    {4, 0, "", false},
    {4, cmdAbout, "&About...", false},
    {4, 0, "", false},
    {4, cmdHomePage, "Go to Sondrix homepage", false},
};

std::string menuText(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

TEST(Resources, MainMenuHasItsPopupsWithTheirItemsInOrder) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), kMainMenuName);
    constexpr int kCount = sizeof kPopups / sizeof kPopups[0];
    ASSERT_EQ(GetMenuItemCount(menu), kCount);
    int positions[kCount] = {};
    for (const MenuRow& row : kMenuRows) {
        HMENU popup = GetSubMenu(menu, row.popup);
        int position = positions[row.popup]++;
        UINT state = GetMenuState(popup, position, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(popup, position), row.id) << row.popup << "/" << position;
        EXPECT_EQ(menuText(popup, position), row.caption) << row.popup << "/" << position;
        EXPECT_EQ((state & MF_SEPARATOR) != 0, row.id == 0) << row.popup << "/" << position;
        // Separators count as greyed on some systems.
        EXPECT_TRUE(row.id == 0 || ((state & MF_GRAYED) != 0) == row.greyed) << row.caption;
    }
    for (int popup = 0; popup < kCount; ++popup) {
        EXPECT_EQ(menuText(menu, popup), kPopups[popup]);
        EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, popup)), positions[popup]);
    }
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorsAreVirtualKeysWithoutMenuInversion) {
    const ACCEL expected[] = {
        {FVIRTKEY | FNOINVERT | FCONTROL, 'L', cmdListTemplates},
        {FVIRTKEY | FNOINVERT | FCONTROL, 'N', cmdNew},
        {FVIRTKEY | FNOINVERT | FCONTROL, 'O', cmdOpen},
        {FVIRTKEY | FNOINVERT | FCONTROL, 'S', cmdSave},
        {FVIRTKEY | FNOINVERT | FCONTROL, VK_F4, cmdClose},
        {FVIRTKEY | FNOINVERT | FALT, 'X', cmdExit},
        {FVIRTKEY | FNOINVERT | FCONTROL, 'Z', cmdUndo},
        {FVIRTKEY | FNOINVERT | FCONTROL, 'Y', cmdRedo},
        {FVIRTKEY | FNOINVERT | FCONTROL, 'G', cmdGoToOffset},
    };
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), kAcceleratorsName);
    ASSERT_NE(table, nullptr);
    constexpr int kCount = sizeof expected / sizeof expected[0];
    ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), kCount);
    ACCEL actual[kCount];
    CopyAcceleratorTableA(table, actual, kCount);
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(actual[i].fVirt & ~0x80, expected[i].fVirt) << "entry " << i;  // 0x80 ends the table
        EXPECT_EQ(actual[i].key, expected[i].key) << "entry " << i;
        EXPECT_EQ(actual[i].cmd, expected[i].cmd) << "entry " << i;
    }
}

// The images of each icon group (width, bits per pixel), and the manifest's two settings.
TEST(Resources, IconsHoldTheirImagesAndTheManifestAsksForControlsSixAndUtf8) {
    struct Image {
        int width;
        int bits;
        bool operator==(const Image& other) const { return width == other.width && bits == other.bits; }
    };
    const struct {
        const char* name;
        std::vector<Image> images;
    } icons[] = {{kMainIconName, {{16, 8}, {32, 8}}}, {kDownIconName, {{16, 1}}}};
    HMODULE module = GetModuleHandleA(nullptr);
    for (const auto& icon : icons) {
        HRSRC found = FindResourceA(module, icon.name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_NE(found, nullptr) << icon.name;
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        std::vector<Image> images;
        for (int i = 0; i < group[4]; ++i) {
            const BYTE* entry = group + 6 + 14 * i;  // width, height, colours, reserved, planes, bits, ...
            images.push_back({entry[0] ? entry[0] : 256, entry[6] | entry[7] << 8});
        }
        EXPECT_TRUE(images == icon.images) << icon.name;
    }
    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find(">UTF-8</activeCodePage>"), std::string::npos);
}

std::string versionString(const std::vector<char>& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(none)";
    return value;
}

TEST(Resources, VersionRecordIsADebugBuildOfOneZeroZeroTwentySix) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x0000001Au);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x0000001Au);
    EXPECT_TRUE(fixed->dwFileFlags & VS_FF_DEBUG);

    EXPECT_EQ(versionString(info, "FileDescription"), "Sondrix");
    EXPECT_EQ(versionString(info, "InternalName"), "Sondrix");
    EXPECT_EQ(versionString(info, "ProductName"), "Sondrix");
    EXPECT_EQ(versionString(info, "OriginalFilename"), "Sondrix.exe");
    EXPECT_NE(versionString(info, "LegalCopyright"), "(none)");
    EXPECT_NE(versionString(info, "LegalTrademarks"), "(none)");
}

}  // namespace
