#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "toolkit/base/FileSystem.h"
#include "tools/Utf8Paths.h"

TEST(FileSystem, PathTextSplitsAtTheLastSeparatorAndJoinsWithOne) {
  const std::string sep(1, PathSeparator);
  EXPECT_EQ(JoinPath("skins", "Blue.tez"), "skins" + sep + "Blue.tez");
  EXPECT_EQ(JoinPath("skins/", "Blue.tez"), "skins/Blue.tez");
  EXPECT_EQ(JoinPath("", "Blue.tez"), "Blue.tez");
  EXPECT_EQ(FileNameOf("a/b.c/Options.dat"), "Options.dat");
  EXPECT_EQ(FolderOf("a/b.c/Options.dat"), "a/b.c/");
  EXPECT_EQ(FolderOf("Options.dat"), "");
  EXPECT_EQ(FileNameOf("a/"), "");
  EXPECT_EQ(ExtensionOf("a.b/Blue.Gauze.tez"), ".tez");
  EXPECT_EQ(ExtensionOf("a.b/Blue"), "");
  EXPECT_EQ(ExtensionOf(".tez"), "");
#ifdef _WIN32
  EXPECT_EQ(FileNameOf("c:\\Skins\\Blue.tez"), "Blue.tez");
#else
  EXPECT_EQ(FileNameOf("odd\\name"), "odd\\name"); // a backslash is part of a POSIX name
#endif
}

TEST(FileSystem, KindsListingAndSizesOfUtf8Paths) {
  const std::string root = JoinPath(PathToUtf8(std::filesystem::temp_directory_path()), "kelvora-fs-тест");
  std::filesystem::remove_all(PathFromUtf8(root));
  std::filesystem::create_directories(PathFromUtf8(JoinPath(root, "Скины")));
  const std::string file = JoinPath(root, "Синий.tez");
  std::ofstream(PathFromUtf8(file), std::ios::binary) << "abc";

  EXPECT_TRUE(IsDirectory(root));
  EXPECT_TRUE(IsDirectory(root + PathSeparator));
  EXPECT_FALSE(IsRegularFile(root));
  EXPECT_TRUE(IsRegularFile(file));
  EXPECT_FALSE(IsDirectory(file));
  EXPECT_FALSE(IsRegularFile(JoinPath(root, "missing")));
  EXPECT_FALSE(IsDirectory(JoinPath(root, "missing")));

  std::vector<FolderEntry> entries = ListFolder(root);
  std::sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) { return a.Name < b.Name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Name, "Синий.tez");
  EXPECT_FALSE(entries[0].IsDirectory);
  EXPECT_EQ(entries[1].Name, "Скины");
  EXPECT_TRUE(entries[1].IsDirectory);
  EXPECT_TRUE(ListFolder(JoinPath(root, "missing")).empty());

  {
    FileHandle opened = OpenFile(file, "rb");
    ASSERT_TRUE(opened);
    EXPECT_EQ(FileSizeOf(opened.get()), 3);
  }
  EXPECT_FALSE(OpenFile(JoinPath(root, "missing"), "rb"));
  std::filesystem::remove_all(PathFromUtf8(root));
}
