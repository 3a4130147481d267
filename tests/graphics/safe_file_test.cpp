// Writing a file so that the name always holds the whole old or the whole new contents: by
// replacing it, or in place behind a private copy that never outlives the call; refusals where
// the user may not write or the name is no regular file.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#include <zr590/safe_file.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

using zr590::leftoverCopiesOf;
using zr590::writeFileSafely;
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
    const unsigned mask =
        1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH | 1u << CAP_FOWNER | 1u << CAP_CHOWN;
    caps[0].effective =
        on ? caps[0].effective | (caps[0].permitted & mask) : caps[0].effective & ~mask;
    ::syscall(SYS_capset, &header, caps);
  }
};

class SafeFileWriteTest : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(file_ = dir_ / "d.txt") << "old"; }
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

  zr590::testing::TempFolder dir_;
  fs::path file_;
};

// What lies in the folder while the contents are written, and what is left afterwards: with
// one link a private hidden file replaces the name (old mode kept); with two the file is
// rewritten in place behind a named private copy of the old contents. The name holds the old
// contents until the new ones are complete.
TEST_F(SafeFileWriteTest, TheNameHoldsTheOldContentsUntilTheNewAreComplete) {
  for (bool secondLink : {false, true}) {
    SCOPED_TRACE(secondLink);
    std::ofstream(file_) << "old";
    ::chmod(file_.c_str(), 0640);
    if (secondLink) fs::create_hard_link(file_, dir_ / "link.txt");
    const ino_t inode = statOf(file_).st_ino;
    Names beside;
    const Writer look = [&](std::FILE* f) {
      for (const std::string& name : names()) {
        if (name == "d.txt" || name == "link.txt") continue;
        beside.insert(name.substr(0, name.size() - 6));
        EXPECT_EQ(statOf(dir_ / name).st_mode, S_IFREG | 0600u);
        EXPECT_TRUE(!secondLink || contents(dir_ / name) == "old");
      }
      EXPECT_TRUE(secondLink || contents(file_) == "old");
      return std::fputs("new", f) >= 0;
    };
    EXPECT_TRUE(writeFileSafely(file_, look));
    EXPECT_EQ(beside, Names{secondLink ? "d.txt.zr590-backup-" : ".d.txt.zr590-"});
    EXPECT_EQ(contents(file_), "new");
    EXPECT_EQ(statOf(file_).st_mode, S_IFREG | 0640u);
    EXPECT_EQ(statOf(file_).st_ino == inode, secondLink);
    EXPECT_TRUE(!secondLink || contents(dir_ / "link.txt") == "new");
    fs::remove(dir_ / "link.txt");
    EXPECT_EQ(names(), Names{"d.txt"});
  }
}

// Each way of failing, on both paths, with the copy in a file beside and (the folder
// read-only) in memory. The file size limit is met with the signal at its default: it must
// not end the program.
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
  for (bool secondLink : {false, true}) {
    if (secondLink) fs::create_hard_link(file_, dir_ / "link.txt");
    const Names before = names();
    for (mode_t folderMode : {0700, 0500}) {
      for (std::size_t i = 0; i < std::size(failures); ++i) {
        ::setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_FALSE(writeAsUser(file_, failures[i], folderMode))
            << i << " " << folderMode << " " << secondLink;
        ::setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_EQ(contents(file_), "old");
        EXPECT_EQ(names(), before);
      }
    }
  }
}

// The limit counts for the new contents: old contents past it are replaced by smaller ones,
// but not rewritten in place, where they could not be put back after a failure.
TEST_F(SafeFileWriteTest, TheFileSizeLimitCountsForWhatIsWritten) {
  const std::string big(100000, 'x');
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  for (bool secondLink : {false, true}) {
    std::ofstream(file_) << big;
    if (secondLink) fs::create_hard_link(file_, dir_ / "link.txt");
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_EQ(writeFileSafely(file_, writes("new")), !secondLink);
    ::setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(contents(file_), secondLink ? big : "new");
  }
}

// A pipe without a reader, a socket, a folder and (as root) a device: refused at once, and
// still what they were.
TEST_F(SafeFileWriteTest, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0600), 0);
  fs::create_directory(dir_ / "folder");
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  struct sockaddr_un address {};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (dir_ / "socket").c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3));  // root only
  for (const std::string& name : names()) {
    if (name == "d.txt") continue;
    const mode_t kind = statOf(dir_ / name).st_mode & S_IFMT;
    EXPECT_FALSE(writeFileSafely(dir_ / name, writes("new"))) << name;
    EXPECT_EQ(statOf(dir_ / name).st_mode & S_IFMT, kind) << name;
  }
  ::close(sock);
}

// The name is taken only while it is free: a file that appears there during the write is
// kept, and nothing is made through a link to nothing when the write fails.
TEST_F(SafeFileWriteTest, ANewNameIsTakenOnlyWhileItIsFree) {
  const fs::path name = dir_ / "new.txt";
  const Writer appears = [&](std::FILE* f) {
    std::ofstream(name) << "theirs";
    return std::fputs("new", f) >= 0;
  };
  EXPECT_FALSE(writeFileSafely(name, appears));
  EXPECT_EQ(contents(name), "theirs");
  fs::remove(name);
  fs::create_symlink("new.txt", dir_ / "link.txt");
  EXPECT_FALSE(writeFileSafely(dir_ / "link.txt", writes("half", false)));
  EXPECT_EQ(names(), (Names{"d.txt", "link.txt"}));
}

TEST_F(SafeFileWriteTest, LeftoverCopiesAreThoseOfTheName) {
  for (const char* name : {"d.txt.zr590-backup-b2", "d.txt.zr590-backup-a1",
                           "e.txt.zr590-backup-a1", "d.txt.zr590-backup-", ".d.txt.zr590-c3"}) {
    std::ofstream(dir_ / name) << "old";
  }
  EXPECT_EQ(leftoverCopiesOf(file_), (std::vector<std::string>{dir_ / "d.txt.zr590-backup-a1",
                                                               dir_ / "d.txt.zr590-backup-b2"}));
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

// A file the user may write but not give away (another owner's) keeps its owner: rewritten in
// place. Making it needs root.
TEST_F(SafeFileWriteTest, AnotherOwnersFileKeepsItsOwner) {
  if (::chown(file_.c_str(), 4242, 4242) != 0) GTEST_SKIP() << "giving a file away needs root";
  ::chmod(file_.c_str(), 0666);
  EXPECT_TRUE(writeAsUser(file_, writes("new")));
  EXPECT_EQ(contents(file_), "new");
  EXPECT_EQ(statOf(file_).st_uid, 4242u);
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
