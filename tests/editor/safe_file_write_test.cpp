// Writing a file so that a failed write never costs the old one: in place (same inode), with
// a private copy aside that never outlives the call, and refusals where the user may not write.
#include "safe_file_write.h"

#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct stat statOf(const fs::path& path) {
  struct stat s {};
  EXPECT_EQ(::lstat(path.c_str(), &s), 0) << path;
  return s;
}

std::function<bool(std::FILE*)> writes(const std::string& text, bool result = true) {
  return [text, result](std::FILE* f) { return std::fputs(text.c_str(), f) >= 0 && result; };
}

// Root writes anything; the tests want the permission checks a user meets. Drops the override
// capabilities from the effective set for as long as it lives (nothing to do for a user).
class AsAUser {
 public:
  AsAUser() { set(false); }
  ~AsAUser() { set(true); }

 private:
  void set(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0) return;
    const unsigned mask = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER;
    data[0].effective = on ? (data[0].effective | (data[0].permitted & mask))
                           : (data[0].effective & ~mask);
    ::syscall(SYS_capset, &header, data);
  }
};

class SafeFileWriteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/safe-write-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ / "d.txt";
    std::ofstream(file_) << "old";
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::set<std::string> names() const {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_)) found.insert(entry.path().filename());
    return found;
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
  EXPECT_EQ(names(), (std::set<std::string>{"d.txt", "link.txt"}));
}

// The copy of the old contents lies beside the file while it is rewritten: a regular file of
// its own, readable by the owner only, under a name no earlier save used.
TEST_F(SafeFileWriteTest, TheCopyAsideIsPrivateAndGoesAway) {
  std::set<std::string> copies;
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(writeFileSafely(file_, [&](std::FILE* f) {
      for (const std::string& name : names()) {
        if (name == "d.txt") continue;
        copies.insert(name);
        const struct stat copy = statOf(dir_ / name);
        EXPECT_TRUE(S_ISREG(copy.st_mode));
        EXPECT_EQ(copy.st_mode & 0777, 0600u);
        EXPECT_EQ(contents(dir_ / name), "old");
      }
      return writes("old")(f);
    }));
  }
  EXPECT_EQ(copies.size(), 2u);
  EXPECT_EQ(names(), std::set<std::string>{"d.txt"});
}

// Each way of failing, in a folder that takes the copy and in one that does not (the copy is
// then kept in memory): the old file, the same inode, and nothing else is left.
TEST_F(SafeFileWriteTest, AFailedWriteLeavesTheOldFileAsItWas) {
  const std::string big(100000, 'x');
  const struct {
    const char* what;
    std::function<bool(std::FILE*)> writer;
  } failures[] = {
      {"the writer gives up", writes("half", false)},
      {"the writer throws", [](std::FILE*) -> bool { throw std::runtime_error("no"); }},
      // The file size limit: a write error half way, which this writer does not even notice.
      {"a write error", [&big](std::FILE* f) { return std::fputs(big.c_str(), f), true; }},
  };
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  for (bool folderWritable : {true, false}) {
    for (const auto& failure : failures) {
      const ino_t inode = statOf(file_).st_ino;
      struct rlimit small = old;
      small.rlim_cur = 4096;
      ::setrlimit(RLIMIT_FSIZE, &small);
      bool written;
      {
        AsAUser user;
        ::chmod(dir_.c_str(), folderWritable ? 0700 : 0500);
        written = writeFileSafely(file_, failure.writer);
        ::chmod(dir_.c_str(), 0700);
      }
      ::setrlimit(RLIMIT_FSIZE, &old);
      SCOPED_TRACE(std::string(failure.what) + (folderWritable ? "" : ", folder read-only"));
      EXPECT_FALSE(written);
      EXPECT_EQ(contents(file_), "old");
      EXPECT_EQ(statOf(file_).st_ino, inode);
      EXPECT_EQ(names(), std::set<std::string>{"d.txt"});
    }
  }
  std::signal(SIGXFSZ, oldHandler);
}

// What the user may write decides: not a read-only file, but a writable file in a read-only
// folder (and no new file there).
TEST_F(SafeFileWriteTest, ThePermissionsOfFileAndFolderDecide) {
  const struct {
    const char* name;
    mode_t fileMode, folderMode;
    bool written;
  } cases[] = {
      {"d.txt", 0444, 0700, false},
      {"d.txt", 0644, 0500, true},
      {"new.txt", 0644, 0500, false},
  };
  for (const auto& c : cases) {
    std::ofstream(file_) << "old";
    ::chmod(file_.c_str(), c.fileMode);
    bool written;
    {
      AsAUser user;
      ::chmod(dir_.c_str(), c.folderMode);
      written = writeFileSafely(dir_ / c.name, writes("new"));
      ::chmod(dir_.c_str(), 0700);
    }
    SCOPED_TRACE(c.name);
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(contents(file_), c.written ? "new" : "old");
    EXPECT_EQ(names(), std::set<std::string>{"d.txt"});
    ::chmod(file_.c_str(), 0644);
  }
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
