// Output appears under its name only when complete; abandoned output vanishes.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "PendingOutputFile.h"

namespace tamzor::cli {
namespace {

class PendingOutputFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/tamzor-pending-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + directory + "'").c_str()); }

  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    DIR* dir = opendir(directory.c_str());
    while (dirent* entry = readdir(dir))
      if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") names.push_back(entry->d_name);
    closedir(dir);
    return names;
  }

  std::string directory;
};

TEST_F(PendingOutputFileTest, WritesBesideTheTargetAndRenamesOnCommit) {
  const std::string target = directory + "/take.fxp";
  {
    std::ofstream(target) << "old";
    Outcome<PendingOutputFile> file = PendingOutputFile::create(target);
    ASSERT_TRUE(file.ok());
    EXPECT_EQ(file->temporaryPath().rfind(directory + "/.take.fxp.tmp-", 0), 0u) << file->temporaryPath();
    ASSERT_FALSE(file->writeAll("new", 3).has_value());
    std::ifstream before(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(before), {}), "old");
    ASSERT_FALSE(file->commit().has_value());
  }
  std::ifstream after(target);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), "new");
  EXPECT_EQ(entries(), std::vector<std::string>{"take.fxp"});
  struct stat status {};
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(status.st_mode & 0777u, 0666u & ~mask) << "the usual permissions of a new file, not mkstemp's 0600";
}

TEST_F(PendingOutputFileTest, AbandonedFileLeavesNothingBehind) {
  {
    Outcome<PendingOutputFile> file = PendingOutputFile::create(directory + "/out.wav");
    ASSERT_TRUE(file.ok());
    ASSERT_FALSE(file->writeAll("partial", 7).has_value());
    EXPECT_EQ(entries().size(), 1u);
  }
  EXPECT_TRUE(entries().empty());
}

TEST_F(PendingOutputFileTest, UnwritablePlacesAreFileErrors) {
  Outcome<PendingOutputFile> missingDirectory = PendingOutputFile::create(directory + "/no/such/out.wav");
  ASSERT_FALSE(missingDirectory.ok());
  EXPECT_EQ(missingDirectory.failure().code, ExitCode::file);
  EXPECT_NE(missingDirectory.failure().message.find("No such file or directory"), std::string::npos);
  Outcome<PendingOutputFile> isDirectory = PendingOutputFile::create(directory);
  ASSERT_FALSE(isDirectory.ok());
  EXPECT_NE(isDirectory.failure().message.find("it is a directory"), std::string::npos);
}

}  // namespace
}  // namespace tamzor::cli
