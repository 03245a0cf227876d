#include "app/workfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/tempdir.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& file) {
  std::ifstream in(file);
  return {std::istreambuf_iterator<char>(in), {}};
}

class WorkFolderTest : public ::testing::Test {
 protected:
  WorkFolderTest() {
    // An installed prefix with its samples, as `cmake --install` lays it out.
    root.write("prefix/bin/korvant", "");
    root.write("prefix/share/korvant/KORVANT.CTL", "PS12Dir PS1/\n");
    root.write("prefix/share/korvant/KORVANT.DAT", "fixes");
    root.write("prefix/share/korvant/PS1/747WPT.DAT", "waypoints");
    fs::create_directories(root.path() / "desktop");
    env = {(root.path() / "desktop").string(), (root.path() / "prefix/bin/korvant").string(), "",
           (root.path() / "home").string()};
  }
  test::TempDir root;
  WorkFolderEnvironment env;
};

TEST_F(WorkFolderTest, AFolderWithAControlFileIsKept) {
  root.write("desktop/korvant.ctl", "RunMaximized 0\n");  // found whatever its case
  const WorkFolder work = chooseWorkFolder(env);
  EXPECT_EQ(work.folder, env.currentFolder);
  EXPECT_FALSE(work.seeded);
  EXPECT_FALSE(fs::exists(root.path() / "home"));
}

TEST_F(WorkFolderTest, TheUsersFolderIsSeededOnceAndThenLeftAlone) {
  const WorkFolder first = chooseWorkFolder(env);
  const fs::path own = root.path() / "home/.local/share/korvant";
  EXPECT_EQ(first.folder, own.string());
  EXPECT_TRUE(first.seeded);
  EXPECT_TRUE(first.problem.empty()) << first.problem;
  EXPECT_EQ(readAll(own / "PS1/747WPT.DAT"), "waypoints");
  EXPECT_EQ(readAll(own / "KORVANT.DAT"), "fixes");

  // The user's own edits survive the next start.
  root.write("home/.local/share/korvant/KORVANT.CTL", "RunMaximized 1\n");
  fs::remove(own / "KORVANT.DAT");
  const WorkFolder second = chooseWorkFolder(env);
  EXPECT_EQ(second.folder, own.string());
  EXPECT_FALSE(second.seeded);
  EXPECT_EQ(readAll(own / "KORVANT.CTL"), "RunMaximized 1\n");
  EXPECT_FALSE(fs::exists(own / "KORVANT.DAT"));
}

TEST_F(WorkFolderTest, ABrokenOffSeedingIsCompletedWithoutOverwriting) {
  // No control file yet: the seeding did not finish.
  root.write("home/.local/share/korvant/KORVANT.DAT", "mine");
  const WorkFolder work = chooseWorkFolder(env);
  EXPECT_TRUE(work.seeded);
  const fs::path own = root.path() / "home/.local/share/korvant";
  EXPECT_EQ(readAll(own / "KORVANT.DAT"), "mine");
  EXPECT_EQ(readAll(own / "KORVANT.CTL"), "PS12Dir PS1/\n");
}

TEST_F(WorkFolderTest, XdgDataHomeWhenAbsoluteAndClearProblemsOtherwise) {
  env.xdgDataHome = (root.path() / "data").string();
  EXPECT_EQ(chooseWorkFolder(env).folder, (root.path() / "data/korvant").string());
  env.xdgDataHome = "relative/data";  // ignored
  EXPECT_EQ(userFolder(env), (root.path() / "home/.local/share/korvant").string());

  env.home.clear();
  env.xdgDataHome.clear();
  WorkFolder work = chooseWorkFolder(env);
  EXPECT_EQ(work.folder, env.currentFolder);
  EXPECT_FALSE(work.problem.empty());

  // The user's folder would be under a file: said, and the current folder kept.
  root.write("blocked", "a file");
  env.home = (root.path() / "blocked").string();
  work = chooseWorkFolder(env);
  EXPECT_EQ(work.folder, env.currentFolder);
  EXPECT_NE(work.problem.find("cannot create"), std::string::npos) << work.problem;
}

TEST_F(WorkFolderTest, WithoutInstalledSamplesTheUsersFolderStartsEmpty) {
  env.programPath = (root.path() / "elsewhere/bin/korvant").string();
  EXPECT_EQ(installedSamplesFolder(env.programPath), "");
  const WorkFolder work = chooseWorkFolder(env);
  EXPECT_FALSE(work.seeded);
  EXPECT_TRUE(fs::is_directory(work.folder));
  // The build's run folder serves as the samples when the program lies in
  // it; the program itself is not copied with them.
  root.write("run/KORVANT.CTL", "");
  root.write("run/KORVANT.DAT", "fixes");
  const std::string program = root.write("run/korvant", "a program");
  fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_EQ(installedSamplesFolder(program), (root.path() / "run").string());
  env.programPath = program;
  env.home = (root.path() / "other-home").string();
  const WorkFolder built = chooseWorkFolder(env);
  EXPECT_TRUE(built.seeded);
  EXPECT_TRUE(fs::exists(fs::path(built.folder) / "KORVANT.DAT"));
  EXPECT_FALSE(fs::exists(fs::path(built.folder) / "korvant"));
}

}  // namespace
}  // namespace korvant
