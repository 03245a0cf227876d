#include "base/filereader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "base/atomicfile.h"
#include "support/tempdir.h"

namespace korvant {
namespace {

TEST(FileReader, ReadsWholeFilesAndPrefixes) {
  test::TempDir dir;
  const std::string path = dir.write("a.txt", std::string(200000, 'x') + "end");
  const FileRead whole = readWholeFile(path, 1 << 20);
  ASSERT_TRUE(whole.ok());
  EXPECT_EQ(whole.bytes.size(), 200003u);
  EXPECT_EQ(whole.bytes.substr(200000), "end");
  const FileRead exact = readWholeFile(path, 200003);
  EXPECT_TRUE(exact.ok());
  const FileRead prefix = readFilePrefix(path, 1000);
  ASSERT_TRUE(prefix.ok());
  EXPECT_EQ(prefix.bytes, std::string(1000, 'x'));
  const FileRead empty = readWholeFile(dir.write("empty", ""), 10);
  EXPECT_TRUE(empty.ok());
  EXPECT_TRUE(empty.bytes.empty());
}

TEST(FileReader, EveryFailureIsReturned) {
  test::TempDir dir;
  EXPECT_EQ(readWholeFile((dir.path() / "missing").string(), 10).status, Reason::FileMissing);
  EXPECT_EQ(readWholeFile(dir.str(), 10).status, Reason::NotAFile);
  const FileRead tooLarge = readWholeFile(dir.write("b", "12345678901"), 10);
  EXPECT_EQ(tooLarge.status, Reason::FileTooLarge);
  EXPECT_TRUE(tooLarge.bytes.empty());
  // Devices are no files, endless or not; a file past the limit is refused by
  // its size (a sparse 4 GB file costs no read); a file the system cannot read fails.
  EXPECT_EQ(readWholeFile("/dev/zero", 1 << 20).status, Reason::NotAFile);
  EXPECT_EQ(readWholeFile("/dev/urandom", 1 << 20).status, Reason::NotAFile);
  EXPECT_EQ(readFilePrefix("/dev/zero", 300000).status, Reason::NotAFile);
  const std::string sparse = dir.write("sparse", "");
  std::filesystem::resize_file(sparse, 4ull << 30);
  EXPECT_EQ(readWholeFile(sparse, 1 << 20).status, Reason::FileTooLarge);
  EXPECT_EQ(readFilePrefix(sparse, 1000).bytes.size(), 1000u);
  const FileRead mem = readWholeFile("/proc/self/mem", 1 << 20);
  EXPECT_EQ(mem.status, Reason::FileReadError);
  EXPECT_FALSE(mem.reason.empty());
}

TEST(AtomicFile, ReplacesInOneStepAndLeavesNothingOnFailure) {
  test::TempDir dir;
  const std::string target = dir.write("out.dat", "old");
  EXPECT_TRUE(AtomicFile(target).write("new"));
  EXPECT_EQ(readWholeFile(target, 100).bytes, "new");
  {
    AtomicFile abandoned(target);
    std::ofstream(abandoned.temporaryPath()) << "half";
  }  // destroyed without commit
  EXPECT_EQ(readWholeFile(target, 100).bytes, "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  EXPECT_FALSE(AtomicFile((dir.path() / "no" / "such" / "folder").string()).write("x"));
  EXPECT_FALSE(AtomicFile(target).commit());  // nothing written
  EXPECT_EQ(readWholeFile(target, 100).bytes, "new");
}

// A link is written through to its target; what is no regular file is
// refused and left as it was.
TEST(AtomicFile, WritesThroughLinksAndRefusesWhatIsNoFile) {
  namespace fs = std::filesystem;
  test::TempDir dir;
  const std::string real = dir.write("maps/real.png", "old");
  fs::create_symlink("maps/real.png", dir.path() / "link.png");
  fs::create_symlink("link.png", dir.path() / "chain.png");
  EXPECT_TRUE(AtomicFile((dir.path() / "chain.png").string()).write("new"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.png"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "chain.png"));
  EXPECT_EQ(readWholeFile(real, 100).bytes, "new");
  fs::create_symlink("nowhere/yet.png", dir.path() / "dangling.png");
  EXPECT_FALSE(AtomicFile((dir.path() / "dangling.png").string()).write("x"));  // its folder is missing
  fs::create_symlink("loop.png", dir.path() / "loop.png");

  ASSERT_EQ(::mkfifo((dir.path() / "fifo").c_str(), 0600), 0);
  fs::create_directory(dir.path() / "folder.png");
  const struct {
    const char* name;
    const char* reason;
  } refused[] = {
      {"fifo", "not a regular file"}, {"folder.png", "it is a folder"}, {"loop.png", "too many symbolic links"}};
  for (const auto& r : refused) {
    AtomicFile file((dir.path() / r.name).string());
    EXPECT_FALSE(file.write("x")) << r.name;
    EXPECT_EQ(file.problem(), (Problem{Reason::FileNotWritten, (dir.path() / r.name).string(), 0, r.reason}));
  }
  EXPECT_EQ(fs::status(dir.path() / "fifo").type(), fs::file_type::fifo);
  EXPECT_TRUE(fs::is_directory(dir.path() / "folder.png"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 7);  // no temporary file left
}

// A program ended by a signal while it writes leaves no temporary file.
TEST(AtomicFile, ASignalRemovesTheTemporaryFile) {
  test::TempDir dir;
  const std::string target = (dir.path() / "map.png").string();
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      AtomicFile file(target);
      std::ofstream(file.temporaryPath()) << "half a map";
      ::raise(signal);
      ::_exit(0);  // not reached
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0) << signal;
  }
}

}  // namespace
}  // namespace korvant
