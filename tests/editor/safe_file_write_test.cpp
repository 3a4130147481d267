// Writing a file so that a failed write never costs the old one: in place (same inode), with a
// private copy aside that never outlives the call, and refusals where the user may not write.
#include "safe_file_write.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

using Writer = std::function<bool(std::FILE*)>;
using Names = std::set<std::string>;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct stat statOf(const fs::path& path) {
  struct stat s {};
  ::lstat(path.c_str(), &s);
  return s;
}

Writer writes(const std::string& text, bool result = true) {
  return [text, result](std::FILE* f) { return std::fputs(text.c_str(), f) >= 0 && result; };
}

// Root may write anything; these tests want the checks a user meets. While it lives, the
// capabilities that override file permissions are out of the effective set.
struct AsAUser {
  AsAUser() { set(false); }
  ~AsAUser() { set(true); }
  static void set(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{};
    if (::syscall(SYS_capget, &header, caps) != 0) return;
    const unsigned mask = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER;
    caps[0].effective =
        on ? caps[0].effective | (caps[0].permitted & mask) : caps[0].effective & ~mask;
    ::syscall(SYS_capset, &header, caps);
  }
};

class SafeFileWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/safe-write-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    std::ofstream(file_ = dir_ / "d.txt") << "old";
  }
  void TearDown() override { fs::remove_all(dir_); }
  Names names() const {
    Names found;
    for (const auto& entry : fs::directory_iterator(dir_)) found.insert(entry.path().filename());
    return found;
  }
  // Writes `name` as a user would, with the folder's mode set to `folderMode` meanwhile.
  bool writeAsUser(const fs::path& name, const Writer& writer, mode_t folderMode = 0700) {
    AsAUser user;
    ::chmod(dir_.c_str(), folderMode);
    const bool written = writeFileSafely(name, writer);
    ::chmod(dir_.c_str(), 0700);
    return written;
  }

  fs::path dir_, file_;
};

TEST_F(SafeFileWriteTest, AnExistingFileIsRewrittenInPlace) {
  ::chmod(file_.c_str(), 0640);
  fs::create_hard_link(file_, dir_ / "link.txt");
  const struct stat before = statOf(file_);
  EXPECT_TRUE(writeFileSafely(file_, writes("new")));
  EXPECT_EQ(contents(dir_ / "link.txt"), "new");
  EXPECT_EQ(statOf(file_).st_ino, before.st_ino);
  EXPECT_EQ(statOf(file_).st_mode, before.st_mode);
  EXPECT_EQ(names(), (Names{"d.txt", "link.txt"}));
}

// Meanwhile the old contents lie beside it: a regular file of its own, readable by the owner
// only, under a name no earlier save used, and gone afterwards.
TEST_F(SafeFileWriteTest, TheCopyAsideIsPrivateAndGoesAway) {
  Names copies;
  const Writer look = [&](std::FILE* f) {
    for (const std::string& name : names()) {
      if (name == "d.txt") continue;
      copies.insert(name);
      EXPECT_EQ(statOf(dir_ / name).st_mode, S_IFREG | 0600u);
      EXPECT_EQ(contents(dir_ / name), "old");
    }
    return std::fputs("old", f) >= 0;
  };
  EXPECT_TRUE(writeFileSafely(file_, look));
  EXPECT_TRUE(writeFileSafely(file_, look));
  EXPECT_EQ(copies.size(), 2u);
  EXPECT_EQ(names(), Names{"d.txt"});
}

// Each way of failing, with the copy in a file beside and (the folder read-only) in memory.
TEST_F(SafeFileWriteTest, AFailedWriteLeavesTheOldFileAsItWas) {
  const std::string big(100000, 'x');
  const Writer failures[] = {
      writes("half", false),
      [](std::FILE*) -> bool { throw std::runtime_error("no"); },
      // Past the file size limit: a write error half way, which this writer does not notice.
      [&big](std::FILE* f) { return std::fputs(big.c_str(), f), true; },
  };
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  const ino_t inode = statOf(file_).st_ino;
  for (mode_t folderMode : {0700, 0500}) {
    for (std::size_t i = 0; i < std::size(failures); ++i) {
      ::setrlimit(RLIMIT_FSIZE, &small);
      EXPECT_FALSE(writeAsUser(file_, failures[i], folderMode)) << i << " " << folderMode;
      ::setrlimit(RLIMIT_FSIZE, &old);
      EXPECT_EQ(contents(file_), "old");
      EXPECT_EQ(statOf(file_).st_ino, inode);
      EXPECT_EQ(names(), Names{"d.txt"});
    }
  }
  // Old contents beyond the limit could not be put back: the file is not touched at all.
  std::ofstream(file_) << big;
  ::setrlimit(RLIMIT_FSIZE, &small);
  EXPECT_FALSE(writeFileSafely(file_, writes("new")));
  ::setrlimit(RLIMIT_FSIZE, &old);
  EXPECT_EQ(contents(file_), big);
  std::signal(SIGXFSZ, oldHandler);
}

// Not a read-only file, nor a new file in a read-only folder; but a writable file there.
TEST_F(SafeFileWriteTest, ThePermissionsOfFileAndFolderDecide) {
  ::chmod(file_.c_str(), 0444);
  EXPECT_FALSE(writeAsUser(file_, writes("new")));
  EXPECT_FALSE(writeAsUser(dir_ / "new.txt", writes("new"), 0500));
  EXPECT_EQ(contents(file_), "old");
  ::chmod(file_.c_str(), 0644);
  EXPECT_TRUE(writeAsUser(file_, writes("new"), 0500));
  EXPECT_EQ(contents(file_), "new");
  EXPECT_EQ(names(), Names{"d.txt"});
}

// A new file gets the usual mode (the umask's), and a failed one is not left behind.
TEST_F(SafeFileWriteTest, ANewFileIsMadeOnlyWhenItIsComplete) {
  const mode_t mask = ::umask(022);
  EXPECT_FALSE(writeFileSafely(dir_ / "new.txt", writes("half", false)));
  EXPECT_FALSE(fs::exists(dir_ / "new.txt"));
  EXPECT_TRUE(writeFileSafely(dir_ / "new.txt", writes("new")));
  ::umask(mask);
  EXPECT_EQ(contents(dir_ / "new.txt"), "new");
  EXPECT_EQ(statOf(dir_ / "new.txt").st_mode & 0777, 0644u);
}

}  // namespace
