// The settings file on disk: what a save keeps (permissions, links), what it
// never does (follow a planted link, touch a device, leave a part behind), and
// what a read refuses (folders, devices, pipes, files too large) with messages
// of a bounded length.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>

#include "platform/literal.hpp"
#include "platform/property_file.hpp"
#include "platform/settings_disk.hpp"
#include "tests/platform/settings/settings_files.hpp"

namespace cbo::test {
namespace {

// A file of `entries` entries, each with a value of its own.
PropertyFile Numbered(int entries, const std::string& tag) {
  PropertyFile f;
  for (int i = 0; i < entries; ++i) f.Write("V" + std::to_string(i), Variant(tag + std::to_string(i)), Variant());
  return f;
}

class FileOnDisk : public ::testing::Test {
protected:
  TempFolder folder;
  const std::string path = folder / "form.settings";
};

TEST_F(FileOnDisk, ASaveKeepsThePermissionsOfTheFileItReplacesAndANewFileIsPrivate) {
  const mode_t umask = ::umask(0);  // a umask that would make the file readable by all
  Numbered(3, "a").Save(path);
  ::umask(umask);
  EXPECT_EQ(ModeOf(path) & 07777, 0600u);
  for (mode_t mode : {0600u, 0444u, 0640u}) {
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    Numbered(3, "b" + std::to_string(mode)).Save(path);
    EXPECT_EQ(ModeOf(path) & 07777, mode);
    EXPECT_EQ(PropertyFile::Load(path).Read("V1", Variant()), Variant("b" + std::to_string(mode) + "1"));
  }
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"form.settings"});  // no temporary file left
}

TEST_F(FileOnDisk, ASaveThroughASymbolicLinkReplacesTheFileItPointsToAndTheLinkStays) {
  ::mkdir((folder / "real").c_str(), 0700);
  Numbered(2, "old").Save(folder / "real/target.settings");
  ASSERT_EQ(::chmod((folder / "real/target.settings").c_str(), 0640), 0);
  ASSERT_EQ(::symlink("real/target.settings", path.c_str()), 0);
  Numbered(2, "new").Save(path);
  EXPECT_TRUE(S_ISLNK(ModeOf(path)));
  EXPECT_EQ(PropertyFile::Load(folder / "real/target.settings").Read("V0", Variant()), Variant("new0"));
  EXPECT_EQ(ModeOf(folder / "real/target.settings") & 07777, 0640u);
  // A link to a link, and a link to a file not there yet.
  ASSERT_EQ(::symlink("form.settings", (folder / "second").c_str()), 0);
  Numbered(2, "again").Save(folder / "second");
  EXPECT_EQ(PropertyFile::Load(folder / "real/target.settings").Read("V0", Variant()), Variant("again0"));
  ASSERT_EQ(::symlink("real/later.settings", (folder / "dangling").c_str()), 0);
  Numbered(1, "later").Save(folder / "dangling");
  EXPECT_TRUE(S_ISLNK(ModeOf(folder / "dangling")));
  EXPECT_EQ(PropertyFile::Load(folder / "real/later.settings").Read("V0", Variant()), Variant("later0"));
}

TEST_F(FileOnDisk, ALinkPlantedWhereTheOldTemporaryFileWasIsNotFollowed) {
  PutBytes(folder / "unrelated", "keep me\n");
  ASSERT_EQ(::symlink((folder / "unrelated").c_str(), (path + ".tmp").c_str()), 0);
  Numbered(2, "x").Save(path);
  EXPECT_EQ(Bytes(folder / "unrelated"), "keep me\n");
  EXPECT_TRUE(S_ISREG(ModeOf(path)));
  EXPECT_TRUE(S_ISLNK(ModeOf(path + ".tmp")));
  EXPECT_EQ(PropertyFile::Load(path).Entries().size(), 2u);
}

TEST_F(FileOnDisk, AFailedSaveLeavesTheOldFileAsItWasAndSaysWhy) {
  Numbered(4, "old").Save(path);
  const std::string before = Bytes(path);
  // A disk that fills: the process may write no file past 64 bytes.
  struct rlimit old;
  ::getrlimit(RLIMIT_FSIZE, &old);
  auto* previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = old;
  tiny.rlim_cur = 64;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
  const Error full = ErrorOf([&] { Numbered(40, "new").Save(path); });
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_TRUE(Contains(full, path)) << full.what();
  EXPECT_TRUE(Contains(full, "cannot be saved")) << full.what();
  EXPECT_TRUE(Contains(full, "File too large")) << full.what();
  EXPECT_EQ(Bytes(path), before);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"form.settings"});

  // A folder, or a device behind a link, where the file should be: refused
  // before anything is written, and the device is left alone.
  ::mkdir((folder / "sub").c_str(), 0700);
  EXPECT_TRUE(Contains(ErrorOf([&] { Numbered(1, "x").Save(folder / "sub"); }), "is a folder"));
  ASSERT_EQ(::symlink("/dev/full", (folder / "full").c_str()), 0);
  EXPECT_TRUE(Contains(ErrorOf([&] { Numbered(1, "x").Save(folder / "full"); }), "a device"));
  EXPECT_TRUE(S_ISCHR(ModeOf("/dev/full")));
  // A folder that is not there.
  EXPECT_TRUE(
      Contains(ErrorOf([&] { Numbered(1, "x").Save(folder / "none/form.settings"); }), "No such file or directory"));
}

TEST_F(FileOnDisk, AFolderADeviceOrAPipeIsNotReadAsSettings) {
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container(platform);
  CboVarno control(container, shared);
  control.InitProperties();
  control.SetStileCbo(2);
  const headless::HeadlessPropertyBag before = SettingsOf(control);
  ::mkdir((folder / "sub").c_str(), 0700);
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {{folder / "sub", "is a folder"},
                                                       {"/dev/null", "a device"},
                                                       {folder / "pipe", "a pipe"},
                                                       {folder / "missing", "does not exist"}};
  for (const auto& [where, why] : cases) {
    const Error e = ErrorOf([&] { ReadPropertiesFromFile(control, where); });
    EXPECT_TRUE(Contains(e, where)) << e.what();
    EXPECT_TRUE(Contains(e, why)) << e.what();
    EXPECT_TRUE(SameSettings(SettingsOf(control), before)) << where;
  }
}

TEST_F(FileOnDisk, AFileOverTheLimitIsRefusedAtOnceAndNoMessageQuotesMuchOfTheFile) {
  std::string big(kMaxSettingsFileBytes + 1, '\n');
  PutBytes(path, big);
  const Error large = ErrorOf([&] { PropertyFile::Load(path); });
  EXPECT_TRUE(Contains(large, "larger than the 16777216 bytes")) << large.what();
  big.pop_back();
  PutBytes(path, big);
  // At the limit: read, and refused only for what it holds.
  EXPECT_TRUE(Contains(ErrorOf([&] { PropertyFile::Load(path); }), "holds no entries"));
  // A line of 10 MB of binary bytes, a name of 10 MB, a value of 10 MB.
  std::string binary(10'000'000, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>((i * 7919) % 251 + 1);
  for (char& c : binary)
    if (c == '\n' || c == '=') c = '\x80';
  const std::string lines[] = {binary + "\n", "Text = " + binary + "\n", std::string(10'000'000, 'N') + " x = 1\n",
                               "Text = \"" + std::string(10'000'000, 'x') + "\n"};
  for (const std::string& text : lines) {
    PutBytes(path, text);
    const Error e = ErrorOf([&] { PropertyFile::Load(path); });
    EXPECT_LT(std::string(e.what()).size(), path.size() + 300) << std::string(e.what()).substr(0, 400);
  }
  // A long string where the control wants a number or a truth value.
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container(platform);
  CboVarno control(container, shared);
  for (const char* name : {"TipoPulsante", "ForeColor", "Enabled"}) {
    PutBytes(path, std::string(name) + " = \"" + std::string(10'000'000, 'x') + "\"\n");
    const Error e = ErrorOf([&] { ReadPropertiesFromFile(control, path); });
    EXPECT_LT(std::string(e.what()).size(), path.size() + 300) << std::string(e.what()).substr(0, 400);
    EXPECT_TRUE(Contains(e, name));
  }
}

// Reading is linear in the file's size: 80,000 entries and a file just under
// the limit are read in full. The times are printed, not checked.
TEST_F(FileOnDisk, ManyEntriesAreReadInOnePass) {
  PropertyFile many = Numbered(80'000, "value ");
  many.Save(path);
  auto start = std::chrono::steady_clock::now();
  PropertyFile back = PropertyFile::Load(path);
  const double entries = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(back.Entries().size(), 80'000u);
  EXPECT_EQ(back.Read("V79999", Variant()), Variant("value 79999"));
  EXPECT_EQ(back.LineOf("V79999"), 80'001);

  PropertyFile large;
  const std::string value(200, 'x');
  for (int i = 0; i < 78'000; ++i) large.Write("V" + std::to_string(i), Variant(value), Variant());
  ASSERT_LT(large.FileText().size(), kMaxSettingsFileBytes);
  large.Save(path);
  start = std::chrono::steady_clock::now();
  back = PropertyFile::Load(path);
  const double bytes = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(back.Entries().size(), large.Entries().size());
  std::printf("read: 80,000 entries in %.3f s; %zu bytes (%zu entries) in %.3f s\n", entries, large.FileText().size(),
              large.Entries().size(), bytes);
}

}  // namespace
}  // namespace cbo::test
