#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/codec/TempFolder.h"
#include "toolkit/base/Exceptions.h"
#include "tools/payloadpack/ReplaceFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

bool OnlyEntryIs(const std::filesystem::path &folder, const std::string &name) {
  std::vector<std::string> names;
  for (const auto &entry : std::filesystem::directory_iterator(folder))
    names.push_back(TempFolder::Utf8(entry.path().filename()));
  return names == std::vector<std::string>{name};
}

} // namespace

TEST(ReplaceFile, WritesANewFileAndReplacesALongerOneWholly) {
  TempFolder folder;
  const std::string path = folder.WithSeparator() + "Kelvora.zip";
  ReplaceFile(path, Bytes{1, 2, 3, 4, 5, 6});
  EXPECT_EQ(folder.Read("Kelvora.zip"), (Bytes{1, 2, 3, 4, 5, 6}));
  ReplaceFile(path, Bytes{9, 8});
  EXPECT_EQ(folder.Read("Kelvora.zip"), (Bytes{9, 8}));
  ReplaceFile(path, Bytes{});
  EXPECT_TRUE(folder.Read("Kelvora.zip").empty());
  EXPECT_TRUE(OnlyEntryIs(folder.Path(), "Kelvora.zip"));
}

TEST(ReplaceFile, NamesOutsideTheAnsiCodePageWork) {
  TempFolder folder;
  const std::string name = "\xD0\x9F\xD0\xB0\xD0\xBA\xD0\xB5\xD1\x82.zip"; // "Пакет.zip"
  ReplaceFile(folder.WithSeparator() + name, Bytes{7});
  EXPECT_TRUE(OnlyEntryIs(folder.Path(), name));
}

TEST(ReplaceFile, MissingFolderRaisesTheCreateErrorAndCreatesNothing) {
  TempFolder folder;
  const std::string path = folder.WithSeparator() + "missing/Kelvora.zip";
  try {
    ReplaceFile(path, Bytes{1});
    ADD_FAILURE() << "no error raised";
  } catch (const EFCreateError &error) {
    EXPECT_EQ(error.Message().rfind("Cannot create file \"" + path + "\". ", 0), 0u) << error.Message();
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(ReplaceFile, FailedWriteLeavesTheEarlierFileAsItWas) {
  TempFolder folder;
  folder.Write("Kelvora.zip", Bytes{4, 5, 6});
  // A folder where the temporary file would go makes the write fail.
  std::filesystem::create_directory(folder.Path() / "Kelvora.zip.partial");
  EXPECT_THROW(ReplaceFile(folder.WithSeparator() + "Kelvora.zip", Bytes{1}), EFCreateError);
  EXPECT_EQ(folder.Read("Kelvora.zip"), (Bytes{4, 5, 6}));
}
