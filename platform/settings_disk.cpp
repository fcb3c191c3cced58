#include "platform/settings_disk.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>
#include <vector>

#include "platform/error.hpp"

namespace cbo {

namespace {

std::string Why(int error) { return std::generic_category().message(error); }

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw Error(ErrorKind::Widget, path + ": " + what);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save replaces: `path`, or the file its chain of symbolic links
// ends at (which need not exist yet).
std::string FollowLinks(const std::string& path) {
  std::string at = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(at.c_str(), &st) != 0) {
      if (errno == ENOENT) return at;
      Fail(path, "the settings file cannot be looked at: " + Why(errno));
    }
    if (!S_ISLNK(st.st_mode)) return at;
    std::vector<char> buffer(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(at.c_str(), buffer.data(), buffer.size());
    if (n < 0) Fail(path, "the symbolic link " + at + " cannot be read: " + Why(errno));
    if (static_cast<size_t>(n) >= buffer.size()) Fail(path, "the symbolic link " + at + " changed while it was read");
    const std::string target(buffer.data(), static_cast<size_t>(n));
    at = (!target.empty() && target[0] == '/') ? target : FolderOf(at) + "/" + target;
  }
  Fail(path, "the settings file cannot be saved: too many symbolic links");
}

bool WriteAll(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// The temporary file of one save, in the folder of the file it replaces.
// Where the system can, it has no name until it is whole (O_TMPFILE): a save
// killed while it writes leaves nothing behind. Its name, when it gets one,
// is new (made exclusively, never through a link), and it is removed again
// unless it was renamed over the file.
class TemporaryFile {
public:
  explicit TemporaryFile(const std::string& target) : target_(target), folder_(FolderOf(target)) {
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) == 0) fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
#endif
    if (fd_ >= 0) return;
    std::vector<char> name = Pattern();
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0)
      Fail(target,
           "the settings file cannot be saved: no temporary file can be made in " + folder_ + ": " + Why(errno));
    name_ = name.data();
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!name_.empty() && !renamed_) ::unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  // Closes the whole file and gives it its name, when it has none yet;
  // false with errno on a failure.
  bool Finish() {
    if (name_.empty()) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd_);
      for (int attempt = 0; attempt < 100; ++attempt) {
        std::vector<char> name = Pattern();
        for (size_t i = name.size() - 7; i + 1 < name.size(); ++i) name[i] = kLetters[Random() % (sizeof kLetters - 1)];
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.data(), AT_SYMLINK_FOLLOW) == 0) {
          name_ = name.data();
          break;
        }
        if (errno != EEXIST) return false;
      }
      if (name_.empty()) return false;
    }
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }
  // Renames it over the file it replaces.
  bool Rename() {
    if (::rename(name_.c_str(), target_.c_str()) != 0) return false;
    renamed_ = true;
    return true;
  }

private:
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  // Processes forked after a save share the generator's state: the process
  // id keeps their names apart.
  static unsigned Random() {
    static std::mt19937 generator{std::random_device{}()};
    return static_cast<unsigned>(generator()) ^ (static_cast<unsigned>(::getpid()) * 2654435761u);
  }
  std::vector<char> Pattern() const {
    const std::string pattern = folder_ + "/." + NameOf(target_) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return name;
  }

  std::string target_;
  std::string folder_;
  int fd_ = -1;
  std::string name_;
  bool renamed_ = false;
};

// Flushes a folder's entries (a rename) to disk. A file system that cannot
// flush a folder says EINVAL; there is nothing more to do on it.
void FlushFolder(const std::string& path, const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) Fail(path, "saved, but its folder cannot be opened to flush it: " + Why(errno));
  const int result = ::fsync(fd);
  const int error = errno;
  ::close(fd);
  if (result != 0 && error != EINVAL) Fail(path, "saved, but its folder cannot be flushed to disk: " + Why(error));
}

}  // namespace

std::string ReadSettingsFile(const std::string& path) {
  // Not blocking: a pipe where the file should be must not hang the reader.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) Fail(path, "the settings file does not exist");
    Fail(path, "the settings file cannot be opened: " + Why(errno));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) Fail(path, "the settings file cannot be looked at: " + Why(errno));
  if (S_ISDIR(st.st_mode)) Fail(path, "this is a folder, not a settings file");
  if (!S_ISREG(st.st_mode)) Fail(path, "this is a device, a pipe or a socket, not a settings file");
  const std::string tooLarge = "the settings file is larger than the " + std::to_string(kMaxSettingsFileBytes) +
                               " bytes (16 MiB) a settings file may have";
  if (static_cast<unsigned long long>(st.st_size) > kMaxSettingsFileBytes) Fail(path, tooLarge);
  std::string text(static_cast<size_t>(st.st_size), '\0');
  size_t have = 0;
  for (;;) {
    if (have == text.size()) {
      // The file may have grown since fstat: read on, up to the limit.
      if (text.size() > kMaxSettingsFileBytes) Fail(path, tooLarge);
      text.resize(text.size() + 4096);
    }
    const ssize_t n = ::read(fd, text.data() + have, text.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(path, "the settings file cannot be read: " + Why(errno));
    if (n == 0) break;
    have += static_cast<size_t>(n);
  }
  text.resize(have);
  if (text.size() > kMaxSettingsFileBytes) Fail(path, tooLarge);
  return text;
}

void ReplaceSettingsFile(const std::string& path, const std::string& text) {
  const std::string target = FollowLinks(path);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) Fail(path, "the settings file cannot be looked at: " + Why(errno));
  if (exists && S_ISDIR(old.st_mode)) Fail(path, "this is a folder: a settings file cannot be saved in its place");
  if (exists && !S_ISREG(old.st_mode))
    Fail(path, "this is a device, a pipe or a socket: a settings file cannot be saved in its place");

  TemporaryFile temp(target);
  const std::string failed = "the settings file cannot be saved: ";
  if (!WriteAll(temp.fd(), text)) Fail(path, failed + "writing its temporary file failed: " + Why(errno));
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
    // Keeps the owner where the process may give the file away (root); any
    // other process makes the file its own, as every new file is.
    [[maybe_unused]] const int kept = ::fchown(temp.fd(), old.st_uid, old.st_gid);
  }
  const mode_t mode = exists ? (old.st_mode & 07777) : 0600;
  if (::fchmod(temp.fd(), mode) != 0) Fail(path, failed + "the permissions cannot be set: " + Why(errno));
  if (::fsync(temp.fd()) != 0) Fail(path, failed + "flushing its temporary file to disk failed: " + Why(errno));
  if (!temp.Finish()) Fail(path, failed + "its temporary file cannot be completed: " + Why(errno));
  if (!temp.Rename()) Fail(path, failed + "it cannot be replaced: " + Why(errno));
  FlushFolder(path, FolderOf(target));
}

}  // namespace cbo
