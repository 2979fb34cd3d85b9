// townwright.exe's resources read back as Windows reads them: the version Explorer's Properties
// show, the icons Explorer and the taskbar take, and the manifest the loader applies.

#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <shellapi.h>  // after <windows.h>, which it needs
// clang-format on

#include <set>
#include <string>
#include <vector>

#include "platform/win32/tests/automation.h"

namespace townwright::win32 {
namespace {

const std::string kProgram = automation::ProgramBeside("townwright.exe");

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(kProgram.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << kProgram;
  }
  void TearDown() override {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  std::string Resource(LPCSTR type, LPCSTR name) const {
    HRSRC found = FindResourceA(module_, name, type);
    if (found == nullptr) return {};
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module_, found)));
    return std::string(bytes, SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

std::string VersionString(const std::vector<char>& block, const char* name) {
  const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
      length == 0) {
    return {};
  }
  return std::string(value, length - 1);  // the length counts the terminating zero
}

TEST_F(ResourcesTest, VersionInformationNamesTheProductAndItsVersion) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(kProgram.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version information";
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(kProgram.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS,
            DWORD{TOWNWRIGHT_VERSION_MAJOR << 16 | TOWNWRIGHT_VERSION_MINOR});
  EXPECT_EQ(fixed->dwFileVersionLS, DWORD{TOWNWRIGHT_VERSION_PATCH << 16});
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
  EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});

  EXPECT_EQ(VersionString(block, "ProductName"), "Townwright");
  EXPECT_EQ(VersionString(block, "ProductVersion"), TOWNWRIGHT_VERSION);
  EXPECT_EQ(VersionString(block, "FileVersion"), TOWNWRIGHT_VERSION);
  EXPECT_EQ(VersionString(block, "FileDescription"), "Townwright");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "townwright.exe");
  EXPECT_EQ(VersionString(block, "LegalCopyright").rfind("Copyright (c) ", 0), 0u);
}

TEST_F(ResourcesTest, TheIconComesInEverySizeExplorerAndTheTaskbarAskFor) {
  // The group lists its images; a width of 0 stands for 256 pixels.
  const std::string group = Resource(RT_GROUP_ICON, MAKEINTRESOURCEA(1));
  ASSERT_GE(group.size(), 6u) << "no icon group 1";
  const auto* header = reinterpret_cast<const WORD*>(group.data());
  const int count = header[2];
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::set<int> widths;
  for (int i = 0; i < count; ++i) {
    const auto width = static_cast<unsigned char>(group[6 + 14 * i]);
    widths.insert(width == 0 ? 256 : width);
  }
  EXPECT_EQ(widths, (std::set<int>{16, 24, 32, 48, 256}));

  for (const int size : {16, 24, 32, 48, 256}) {
    SCOPED_TRACE(size);
    auto* icon = static_cast<HICON>(
        LoadImageA(module_, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_EQ(bitmap.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }

  // What Explorer does for a file's icon.
  HICON large = nullptr;
  HICON small_icon = nullptr;
  EXPECT_EQ(ExtractIconExA(kProgram.c_str(), -1, nullptr, nullptr, 0), 1u) << "icons in the file";
  ASSERT_GE(ExtractIconExA(kProgram.c_str(), 0, &large, &small_icon, 1), 1u);
  EXPECT_NE(large, nullptr);
  EXPECT_NE(small_icon, nullptr);
  DestroyIcon(large);
  DestroyIcon(small_icon);
}

TEST_F(ResourcesTest, TheManifestDeclaresTheProgramAwareOfTheSystemDpi) {
  const std::string manifest = Resource(RT_MANIFEST, MAKEINTRESOURCEA(1));
  ASSERT_FALSE(manifest.empty()) << "no manifest";
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
}

}  // namespace
}  // namespace townwright::win32
