// Saving the settings and data files: whole or not at all, and respecting
// the file, link, owner and permissions it replaces.
#include "PosixScratch.h"

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <optional>
#include <set>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TEST_F(PosixPlatformTest, WritingReplacesTheWholeFileAndKeepsItsPermissions)
{
    fs::create_directory(root / "ENGINE");
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << std::string(1000, 'z');
    fs::permissions(root / "ENGINE" / "VORNHL.CFG", fs::perms(0640));
    const std::string bytes("a\r\n\0\xff", 5);
    platform.writeFile(".\\ENGINE\\VORNHL.CFG", bytes);
    EXPECT_EQ(slurp(root / "ENGINE" / "VORNHL.CFG"), bytes);
    EXPECT_EQ(fs::status(root / "ENGINE" / "VORNHL.CFG").permissions(), fs::perms(0640));
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 1);
}

TEST_F(PosixPlatformTest, ALinkedFileIsSavedAtItsFinalTargetAndTheLinkStays)
{
    fs::create_directories(root / "ENGINE");
    fs::create_directories(root / "shared" / "deeper");
    struct Case {
        const char* name;
        fs::path link;     // the link ENGINE/VORNHL.CFG holds
        fs::path target;   // the file it finally names
    };
    const Case cases[] = {
        {"relative to its own folder", "../shared/a.cfg", root / "shared" / "a.cfg"},
        {"absolute", root / "shared" / "b.cfg", root / "shared" / "b.cfg"},
        {"a link to a link", "../shared/hop", root / "shared" / "deeper" / "c.cfg"},
    };
    fs::create_symlink("deeper/c.cfg", root / "shared" / "hop");
    const fs::path link = root / "ENGINE" / "VORNHL.CFG";
    for (const Case& c : cases) {
        std::ofstream(c.target) << "old";
        fs::remove(link);
        fs::create_symlink(c.link, link);
        platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new " + std::string(c.name));
        EXPECT_EQ(slurp(c.target), "new " + std::string(c.name)) << c.name;
        EXPECT_TRUE(fs::is_symlink(link)) << c.name;
        EXPECT_EQ(fs::read_symlink(link), c.link) << c.name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 1);
}

TEST_F(PosixPlatformTest, TheReplacementKeepsOwnerGroupAndModeAndANewFileFollowsTheUmask)
{
    // The umask is the user's: a new file gets the mode it gives, and the
    // save leaves it as it found it.
    const mode_t previous = ::umask(027);
    platform.writeFile("CDA.DAT", "x");
    EXPECT_EQ(fs::status(root / "CDA.DAT").permissions(), fs::perms(0640));
    EXPECT_EQ(::umask(previous), mode_t(027));

    if (::geteuid() != 0)
        GTEST_SKIP() << "handing a file to another owner needs root";
    const fs::path file = root / "VORNHL.CFG";
    std::ofstream(file) << "old";
    ASSERT_EQ(::chown(file.c_str(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(file.c_str(), 06754), 0);
    platform.writeFile("VORNHL.CFG", "new");
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(slurp(file), "new");
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);
    EXPECT_EQ(st.st_mode & 07777, 0754u);  // without set-user and set-group
}

namespace {
constexpr uid_t Nobody = 65534;  // Debian's nobody, and nogroup

// Runs `save` in a child process as the unprivileged user nobody and returns
// the error it threw ("" when none), so root's powers hide no refusal.
std::string asNobody(const std::function<void()>& save)
{
    int out[2];
    if (::pipe(out) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        std::string result;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(Nobody, Nobody, Nobody) != 0 ||
            ::setresuid(Nobody, Nobody, Nobody) != 0) {
            result = "could not become nobody";
        } else {
            try {
                save();
            } catch (const LauncherError& e) {
                result = e.what();
            }
        }
        [[maybe_unused]] const ssize_t n = ::write(out[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string result;
    char buffer[256];
    ssize_t n;
    while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, std::size_t(n));
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    return result;
}

// An exFAT drive on a loop device, mounted at `at` for everyone as a shared
// games partition often is (umask=0: every file root's, mode 0777).
struct ExfatDrive {
    explicit ExfatDrive(const std::string& at) : at(at)
    {
        mounted = std::system(("truncate -s 8M " + at + ".img && mkfs.exfat " + at + ".img >/dev/null && " +
                               "mount.exfat-fuse -o umask=0,allow_other $(losetup -f --show " + at + ".img) " + at)
                                  .c_str()) == 0;
    }
    ~ExfatDrive()
    {
        std::system(((mounted ? "umount " + at + "; " : "") + "losetup -nl -O NAME -j " + at + ".img | xargs -r losetup -d")
                        .c_str());
    }
    std::string at;
    bool mounted;
};
}  // namespace

TEST_F(PosixPlatformTest, AnotherUsersSaveDoesWhatTheSystemLetsItAndKeepsWhatTheFileIs)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "switching to an unprivileged user needs root";
    fs::permissions(root, fs::perms(0755));
    fs::create_directory(root / "ENGINE");
    const fs::path file = root / "ENGINE" / "VORNHL.CFG";
    struct Case {
        const char* name;
        uid_t owner;
        gid_t group;
        mode_t mode, folderMode;
        std::string error;  // "" when the save succeeds
        bool inPlace;       // the same file, not a replacement
        std::string then = "";  // run in the folder once the file is there
        int names = 1;          // in the folder afterwards
        bool exfat = false;
    };
    const Case cases[] = {
        {"the user's own file", Nobody, Nobody, 0644, 0777, "", false},
        {"another user's file, not writable for the user", 0, 0, 0644, 0777,
         "Cannot create file .\\ENGINE\\VORNHL.CFG", true},
        {"a writable file in a folder that takes no new file", 0, 0, 0666, 0555, "", true},
        {"a group the user cannot hand a file to", 0, Nobody, 0664, 0777, "", true},
        {"a file with an access list", Nobody, Nobody, 0660, 0777, "", true, "setfacl -m u:4321:rw,g::r VORNHL.CFG"},
        {"a file with a second name", Nobody, Nobody, 0644, 0777, "", true, "ln VORNHL.CFG SECOND.CFG", 2},
        {"a shared exFAT drive, where no one may set a mode", 0, 0, 0777, 0777, "", false, "", 1, true},
    };
    const std::string folder = (root / "ENGINE").string(), acl = "getfacl -np " + file.string();
    std::string skipped;
    for (const Case& c : cases) {
        fs::permissions(root / "ENGINE", fs::perms(0755));
        fs::remove(root / "ENGINE" / "SECOND.CFG");
        fs::remove(file);
        std::optional<ExfatDrive> drive;
        if (c.exfat && !drive.emplace(folder).mounted) {
            skipped = "No exFAT drive could be mounted (mkfs.exfat, losetup, mount.exfat-fuse, /dev/fuse)";
            continue;
        }
        std::ofstream(file) << "ScreenWidth = 640\r\nold and longer\r\n";
        ASSERT_EQ(::chown(file.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        ASSERT_EQ(::chmod((root / "ENGINE").c_str(), c.folderMode), 0);
        ASSERT_EQ(std::system(("cd " + folder + " && " + (c.then.empty() ? "true" : c.then)).c_str()), 0);
        ASSERT_EQ(std::system((acl + " >" + folder + ".acl").c_str()), 0);
        struct stat before, after;
        ::stat(file.c_str(), &before);

        EXPECT_EQ(asNobody([&] { platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new\r\n"); }), c.error) << c.name;
        ASSERT_EQ(::stat(file.c_str(), &after), 0) << c.name;
        EXPECT_EQ(slurp(file), c.error.empty() ? "new\r\n" : "ScreenWidth = 640\r\nold and longer\r\n") << c.name;
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace) << c.name;
        EXPECT_EQ(after.st_uid, c.owner) << c.name;
        EXPECT_EQ(after.st_gid, c.group) << c.name;
        EXPECT_EQ(after.st_mode & 07777, c.mode) << c.name;
        EXPECT_EQ(std::system((acl + " | diff " + folder + ".acl -").c_str()), 0) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), c.names) << c.name;
    }
    if (!skipped.empty())
        GTEST_SKIP() << skipped;
}

TEST_F(PosixPlatformTest, AnotherUsersLinkInAFolderOthersMayWriteIsNeitherReadNorSaved)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a link of another user's needs root";
    std::ofstream(root / "private") << "mine";
    for (const auto mode : {fs::perms(01777), fs::perms(0770)}) {  // sticky for all, or shared by a group
        fs::remove_all(root / "shared");
        fs::create_directory(root / "shared");
        fs::permissions(root / "shared", mode);
        fs::create_symlink(root / "private", root / "shared" / "VORNHL.CFG");
        ASSERT_EQ(::lchown((root / "shared" / "VORNHL.CFG").c_str(), Nobody, Nobody), 0);
        for (const auto& use : std::vector<std::function<void()>>{
                 [&] { platform.readFile("shared\\VORNHL.CFG"); },
                 [&] { platform.writeFile("shared\\VORNHL.CFG", "theirs"); }}) {
            try {
                use();
                ADD_FAILURE() << "followed";
            } catch (const LauncherError& e) {
                EXPECT_NE(std::string(e.what()).find("is a symbolic link that another user (65534) made"),
                          std::string::npos) << e.what();
            }
        }
        EXPECT_EQ(slurp(root / "private"), "mine");
    }
}

TEST_F(PosixPlatformTest, WithoutAHomeTheLaunchersOwnFolderIsAPrivateOneNoOtherUserPlanted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "switching to an unprivileged user needs root";
    // Nobody's home does not exist: the folder is made in /tmp, and only
    // taken while it is nobody's own, no link and closed to others.
    const fs::path own = "/tmp/vornhale-65534";
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_CACHE_HOME");
    struct Case {
        const char* planted;  // by root, before nobody starts
        std::string error;
    };
    const std::string refused = "Cannot create folder \"/nonexistent/.cache/vornhale\" (Permission denied) or \"" +
                                own.string();
    const Case cases[] = {
        {"mkdir -m 0777 ", refused + "\" (Operation not permitted)"},
        {"ln -s /root ", refused + "\" (Not a directory)"},
        {"true ", ""},
    };
    for (const Case& c : cases) {
        fs::remove_all(own);
        ASSERT_EQ(std::system((c.planted + own.string()).c_str()), 0);
        EXPECT_EQ(asNobody([&] { platform.dosBoxFolder(); }), c.error) << c.planted;
    }
    struct stat st;
    ASSERT_EQ(::lstat(own.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, Nobody);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    fs::remove_all(own);
    ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(PosixPlatformTest, ASaveRemovesWhatKilledSavesLeftAndNothingElse)
{
    fs::create_directory(root / "ENGINE");
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << "old";
    // The kernel kills this save at its file-size limit, half-way.
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit none{0, 0}, limit{64, 64};
        ::setrlimit(RLIMIT_CORE, &none);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_DFL);
        platform.writeFile(".\\ENGINE\\VORNHL.CFG", std::string(4096, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 2);
    // A user's own file, and the file of a save still writing it.
    std::ofstream(root / "ENGINE" / "VORNHL.CFG.backup") << "mine";
    std::ofstream(root / "ENGINE" / "VORNHL.CFG.vornhale-tmp-Busy01") << "busy";
    const int busy = ::open((root / "ENGINE" / "VORNHL.CFG.vornhale-tmp-Busy01").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0);
    platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new");
    ::close(busy);
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(root / "ENGINE"))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"VORNHL.CFG", "VORNHL.CFG.backup", "VORNHL.CFG.vornhale-tmp-Busy01"}));
}

TEST_F(PosixPlatformTest, AReadOnlyOrUnreachableFileIsNeverReplaced)
{
    fs::create_directory(root / "ENGINE");
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << "old";
    fs::permissions(root / "ENGINE" / "VORNHL.CFG", fs::perms(0444));
    EXPECT_THROW(
        {
            try {
                platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new");
            } catch (const LauncherError& e) {
                EXPECT_STREQ(e.what(), "Cannot create file .\\ENGINE\\VORNHL.CFG");
                throw;
            }
        },
        LauncherError);
    EXPECT_EQ(slurp(root / "ENGINE" / "VORNHL.CFG"), "old");

    EXPECT_THROW(platform.writeFile(".\\MISSING\\VORNHL.CFG", "x"), LauncherError);
    try {
        platform.writeDataFile(".\\MISSING\\COMMIT.DAT", "x");
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "Path not found");
    }
    try {
        platform.writeDataFile(".\\ENGINE\\VORNHL.CFG", "x");
        FAIL();
    } catch (const LauncherError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
}

TEST_F(PosixPlatformTest, AWriteThatFailsHalfWayLeavesTheOldFileAndNoLeftovers)
{
    fs::create_directory(root / "ENGINE");
    const std::string old = "ScreenWidth = 640\r\n";
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << old;

    // The kernel refuses every byte past the file-size limit, as a full disk
    // would, after the first part of the new content has been written.
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const auto errorOf = [](const std::function<void()>& write) -> std::string {
        try {
            write();
        } catch (const LauncherError& e) {
            return e.what();
        }
        return "(no error)";
    };
    const std::string settingsError = errorOf([&] { platform.writeFile(".\\ENGINE\\VORNHL.CFG", std::string(4096, 'x')); });
    const std::string dataError = errorOf([&] { platform.writeDataFile(".\\ENGINE\\COMMIT.DAT", std::string(4096, 'x')); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(settingsError, "Cannot create file .\\ENGINE\\VORNHL.CFG");
    EXPECT_EQ(dataError, "Disk full");
    EXPECT_EQ(slurp(root / "ENGINE" / "VORNHL.CFG"), old);
    EXPECT_FALSE(fs::exists(root / "ENGINE" / "COMMIT.DAT"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 1);
}

TEST_F(PosixPlatformTest, AnInPlaceSaveCutShortOrFailingLeavesTheOldContentOrTheNewNeverAMix)
{
    const fs::path file = root / "ENGINE" / "VORNHL.CFG";
    if (const char* bytes = std::getenv("VORNHALE_SAVE")) {  // the save strace cuts short below
        try {
            platform.writeFile(std::getenv("VORNHALE_FILE"), bytes);
        } catch (const LauncherError& e) {
            std::fputs(e.what(), stderr);
        }
        GTEST_SKIP();
    }
    const std::string old = "ScreenWidth = 640\r\nold and longer than the new\r\n", shorter = "new\r\n";
    const std::string longer = old + old + "new\r\n";
    struct Case {
        const char* inject;
        std::string bytes, error;  // the save's error, "" where it was killed
        std::string after;          // the file once the next start has read it
    };
    const std::string refused = "Cannot create file " + file.string();
    const Case cases[] = {
        {"ftruncate:signal=SIGKILL", shorter, "", old},
        {"pwrite64:signal=SIGKILL:when=2", longer, "", old},  // the first write after the copy's
        {"fsync:error=EIO:when=3", shorter, refused, old},     // the file's own flush
        {"fsync:error=EIO:when=3+", shorter, refused + ": its earlier content is kept in \"" + file.string() +
                                                 ".vornhale-undo\"", old},
    };
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    fs::create_directory(root / "ENGINE");
    for (const Case& c : cases) {
        std::ofstream(file, std::ios::trunc) << old;
        fs::remove(root / "SECOND.CFG");
        fs::create_hard_link(file, root / "SECOND.CFG");  // saved in place
        ::setenv("VORNHALE_SAVE", c.bytes.c_str(), 1);
        ::setenv("VORNHALE_FILE", file.c_str(), 1);
        const std::string command = "exec strace -f -qq -o /dev/null -e inject=" + std::string(c.inject) + " " + self +
                                    " --gtest_filter=" + ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() +
                                    "." + ::testing::UnitTest::GetInstance()->current_test_info()->name() + " >/dev/null 2>" +
                                    (root / "error").string();
        std::system(command.c_str());
        ::unsetenv("VORNHALE_SAVE");
        EXPECT_EQ(slurp(root / "error"), c.error) << c.inject;
        // Only a save that could not put the old content back leaves its copy.
        const bool copyLeft = c.error != refused;
        EXPECT_EQ(fs::exists(file.string() + ".vornhale-undo"), copyLeft) << c.inject;
        EXPECT_EQ(platform.recoverInterruptedSave(file.string()).empty(), !copyLeft) << c.inject;
        EXPECT_EQ(platform.readFile(file.string()), c.after) << c.inject;
        EXPECT_FALSE(fs::exists(file.string() + ".vornhale-undo")) << c.inject;
        EXPECT_EQ(slurp(root / "SECOND.CFG"), c.after) << c.inject;
    }
}

TEST_F(PosixPlatformTest, TwoLaunchersSavingOneHardLinkedFileTakeTurns)
{
    fs::create_directory(root / "ENGINE");
    const std::string versions[] = {std::string(30000, 'a') + "\r\n", "b\r\n"};
    std::ofstream(root / "ENGINE" / "VORNHL.CFG") << versions[1];
    fs::create_hard_link(root / "ENGINE" / "VORNHL.CFG", root / "SECOND.CFG");  // saved in place
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        if ((children[i] = ::fork()) == 0) {
            int mixed = 0;
            for (int round = 0; round < 100; ++round) {
                platform.writeFile(".\\ENGINE\\VORNHL.CFG", versions[(i + round) % 2]);
                const std::string got = platform.readFile(".\\ENGINE\\VORNHL.CFG");
                mixed += got != versions[0] && got != versions[1];
            }
            ::_exit(mixed);
        }
    }
    for (const pid_t child : children) {
        int status = -1;
        ::waitpid(child, &status, 0);
        EXPECT_EQ(status, 0) << "results that were neither version: " << WEXITSTATUS(status);
    }
    EXPECT_EQ(slurp(root / "SECOND.CFG"), slurp(root / "ENGINE" / "VORNHL.CFG"));
}
