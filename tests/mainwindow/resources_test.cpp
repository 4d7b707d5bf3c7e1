// The menu, accelerators, icons and version record linked into the executable.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "resource_ids.h"

namespace {

std::string menuText(HMENU menu, int position) {
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

TEST(Resources, MainMenuHasTheFivePopupsWithTheirItemsInOrder) {
    // Separators have the id 0.
    const struct {
        const char* caption;
        std::vector<std::pair<UINT, const char*>> items;
    } popups[] = {
        {"&File",
         {{cmdNew, "&New\tCtrl+N"},
          {cmdOpen, "&Open\tCtrl+O"},
          {cmdSave, "&Save\tCtrl+S"},
          {cmdSaveAs, "Save &as..."},
          {cmdClose, "&Close\tCtrl+F4"},
          {0, ""},
          {cmdExit, "E&xit\tAlt+X"}}},
        {"&Edit",
         {{cmdUndo, "&Undo\tCtrl+Z"},
          {cmdRedo, "&Redo\tCtrl+Y"},
          {0, ""},
          {cmdDeleteItem, "&Delete item\tDel"},
          {0, ""},
          {cmdGoToOffset, "&Go to offset...\tCtrl+G"}}},
        {"&View", {{cmdBytesBeside, "Bytes &beside the rows"}, {cmdBytesBelow, "Bytes be&low the rows"}}},
        {"&Tools",
         {{cmdListTemplates, "&List templates...\tCtrl+L"}, {0, ""}, {cmdPreferences, "&Preferences..."}}},
        {"&Help",
         {{cmdHelpIndex, "&Index..."},
          {cmdHelpContents, "Contents..."},
          {0, ""},
          {cmdAbout, "&About..."},
          {0, ""},
          {cmdHomePage, "Go to Sondrix homepage"}}}};
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), kMainMenuName);
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    for (int p = 0; p < 5; ++p) {
        EXPECT_EQ(menuText(menu, p), popups[p].caption);
        HMENU popup = GetSubMenu(menu, p);
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(popups[p].items.size())) << p;
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            const auto& [id, caption] = popups[p].items[i];
            const UINT state = GetMenuState(popup, i, MF_BYPOSITION);
            EXPECT_EQ(GetMenuItemID(popup, i), id) << p << "/" << i;
            EXPECT_EQ(menuText(popup, i), caption) << p << "/" << i;
            EXPECT_EQ((state & MF_SEPARATOR) != 0, id == 0) << p << "/" << i;
            // Separators count as greyed on some systems.
            EXPECT_TRUE(id == 0 || !(state & MF_GRAYED)) << caption;
        }
    }
    DestroyMenu(menu);
}

TEST(Resources, AcceleratorsAreVirtualKeysWithoutMenuInversion) {
    const ACCEL expected[] = {
        {FCONTROL, 'L', cmdListTemplates}, {FCONTROL, 'N', cmdNew},     {FCONTROL, 'O', cmdOpen},
        {FCONTROL, 'S', cmdSave},          {FCONTROL, VK_F4, cmdClose}, {FALT, 'X', cmdExit},
        {FCONTROL, 'Z', cmdUndo},          {FCONTROL, 'Y', cmdRedo},    {FCONTROL, 'G', cmdGoToOffset}};
    constexpr int kCount = sizeof expected / sizeof expected[0];
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), kAcceleratorsName);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), kCount);
    ACCEL actual[kCount];
    CopyAcceleratorTableA(table, actual, kCount);
    for (int i = 0; i < kCount; ++i) {
        // 0x80 ends the table.
        EXPECT_EQ(actual[i].fVirt & ~0x80, FVIRTKEY | FNOINVERT | expected[i].fVirt) << "entry " << i;
        EXPECT_EQ(actual[i].key, expected[i].key) << "entry " << i;
        EXPECT_EQ(actual[i].cmd, expected[i].cmd) << "entry " << i;
    }
}

// The images of each icon group (width, bits per pixel), and the manifest's two settings.
TEST(Resources, IconsHoldTheirImagesAndTheManifestAsksForControlsSixAndUtf8) {
    const std::pair<const char*, std::vector<std::pair<int, int>>> icons[] = {
        {kMainIconName, {{16, 8}, {32, 8}}}, {kDownIconName, {{16, 1}}}};
    HMODULE module = GetModuleHandleA(nullptr);
    for (const auto& [name, expected] : icons) {
        HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
        ASSERT_NE(found, nullptr) << name;
        const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        std::vector<std::pair<int, int>> images;
        for (int i = 0; i < group[4]; ++i) {
            const BYTE* entry = group + 6 + 14 * i;  // width, height, colours, reserved, planes, bits, ...
            images.push_back({entry[0] ? entry[0] : 256, entry[6] | entry[7] << 8});
        }
        EXPECT_EQ(images, expected) << name;
    }
    HRSRC manifest = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(text.find(">UTF-8</activeCodePage>"), std::string::npos);
}

TEST(Resources, VersionRecordIsADebugBuildOfOneZeroZeroTwentySix) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));
    auto query = [&](const std::string& name) {
        char* value = nullptr;
        UINT length = 0;
        return VerQueryValueA(info.data(), name.c_str(), reinterpret_cast<void**>(&value), &length) ? value
                                                                                                    : nullptr;
    };
    const auto* fixed = reinterpret_cast<const VS_FIXEDFILEINFO*>(query("\\"));
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x0000001Au);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x0000001Au);
    EXPECT_TRUE(fixed->dwFileFlags & VS_FF_DEBUG);
    // Null: any text will do, but there must be one.
    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", "Sondrix"},      {"InternalName", "Sondrix"}, {"ProductName", "Sondrix"},
        {"OriginalFilename", "Sondrix.exe"}, {"LegalCopyright", nullptr}, {"LegalTrademarks", nullptr}};
    for (const auto& [name, expected] : strings) {
        const char* value = query(std::string("\\StringFileInfo\\040904b0\\") + name);
        ASSERT_NE(value, nullptr) << name;
        EXPECT_STREQ(value, expected ? expected : value) << name;
    }
}

}  // namespace
