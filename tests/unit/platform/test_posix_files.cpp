// Saving the settings and data files: whole or not at all, and respecting
// the file, link, owner and permissions it replaces.
#include "PosixScratch.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <map>
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
}  // namespace

TEST_F(PosixPlatformTest, AnotherUsersSaveDoesWhatTheSystemLetsItAndKeepsTheOwner)
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
    };
    const Case cases[] = {
        {"the user's own file", Nobody, Nobody, 0644, 0777, "", false},
        {"another user's file, not writable for the user", 0, 0, 0644, 0777,
         "Cannot create file .\\ENGINE\\VORNHL.CFG", true},
        {"a writable file in a folder that takes no new file", 0, 0, 0666, 0555, "", true},
        {"a group the user cannot hand a file to", 0, Nobody, 0664, 0777, "", true},
    };
    for (const Case& c : cases) {
        fs::permissions(root / "ENGINE", fs::perms(0755));
        fs::remove(file);
        std::ofstream(file) << "ScreenWidth = 640\r\nold and longer\r\n";
        ASSERT_EQ(::chown(file.c_str(), c.owner, c.group), 0);
        ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
        ASSERT_EQ(::chmod((root / "ENGINE").c_str(), c.folderMode), 0);
        struct stat before, after;
        ::stat(file.c_str(), &before);

        EXPECT_EQ(asNobody([&] { platform.writeFile(".\\ENGINE\\VORNHL.CFG", "new\r\n"); }), c.error) << c.name;
        ASSERT_EQ(::stat(file.c_str(), &after), 0) << c.name;
        EXPECT_EQ(slurp(file), c.error.empty() ? "new\r\n" : "ScreenWidth = 640\r\nold and longer\r\n") << c.name;
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace) << c.name;
        EXPECT_EQ(after.st_uid, c.owner) << c.name;
        EXPECT_EQ(after.st_gid, c.group) << c.name;
        EXPECT_EQ(after.st_mode & 07777, c.mode) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(root / "ENGINE"), fs::directory_iterator()), 1) << c.name;
    }
}

namespace {
// What a shell command prints ("" when it cannot run).
std::string outputOf(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

// An exFAT drive on a loop device, mounted for everyone as a shared games
// partition often is (umask=0: every file root's, mode 0777), while it lives.
class ExfatDrive {
public:
    bool mount(const fs::path& at)
    {
        const std::string image = at.string() + ".img";
        std::ofstream(image).close();
        fs::resize_file(image, 8 << 20);
        if (std::system(("mkfs.exfat " + image + " >/dev/null 2>&1").c_str()) != 0)
            return false;
        loop_ = outputOf("losetup -f --show " + image + " 2>/dev/null");
        if (!loop_.empty())
            loop_.pop_back();  // the line break
        at_ = at;
        mounted_ = !loop_.empty() &&
                   std::system(("mount.exfat-fuse -o umask=0,allow_other " + loop_ + " " + at_.string()).c_str()) == 0;
        return mounted_;
    }
    ~ExfatDrive()
    {
        if (mounted_)
            std::system(("umount " + at_.string()).c_str());
        if (!loop_.empty())
            std::system(("losetup -d " + loop_).c_str());
    }

private:
    fs::path at_;
    std::string loop_;
    bool mounted_ = false;
};
}  // namespace

TEST_F(PosixPlatformTest, ASaveKeepsWhatTheFileIsOnSharedDrivesWithAccessListsAndSecondNames)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a drive and switching to an unprivileged user need root";
    fs::permissions(root, fs::perms(0755));
    const fs::path folder = root / "SHARE", file = folder / "VORNHL.CFG";
    const auto leftOf = [&](const char* name, const char* content) {
        std::ofstream(folder / name) << content;
        ASSERT_EQ(::chown((folder / name).c_str(), Nobody, Nobody), 0);
    };
    int busy = -1;  // a temporary file another save is writing
    struct Case {
        const char* name;
        bool exfat;
        std::function<void()> prepare;
        bool inPlace;
        std::map<std::string, std::string> beside;  // the folder's other files afterwards
    };
    const Case cases[] = {
        {"a shared exFAT drive", true, [] {}, false, {}},
        {"an access list", false,
         [&] {
             ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
             ASSERT_EQ(std::system(("setfacl -m u:4321:rw " + file.string()).c_str()), 0);
         },
         true, {}},
        {"a second name", false, [&] { fs::create_hard_link(file, folder / "SECOND.CFG"); }, true,
         {{"SECOND.CFG", "new\r\n"}}},
        {"leftovers of killed saves beside a user's look-alike", false,
         [&] {
             // Killed by the kernel once the file-size limit is reached.
             asNobody([&] {
                 const rlimit none{0, 0}, limit{64, 64};
                 ::setrlimit(RLIMIT_CORE, &none);
                 ::setrlimit(RLIMIT_FSIZE, &limit);
                 std::signal(SIGXFSZ, SIG_DFL);
                 platform.writeFile(".\\SHARE\\VORNHL.CFG", std::string(4096, 'x'));
             });
             ASSERT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
             leftOf("VORNHL.CFG.vornhale-tmp-Busy01", "busy");
             leftOf("VORNHL.CFG.backup", "mine");
             busy = ::open((folder / "VORNHL.CFG.vornhale-tmp-Busy01").c_str(), O_RDONLY);
             ASSERT_EQ(::flock(busy, LOCK_EX), 0);
         },
         false, {{"VORNHL.CFG.backup", "mine"}, {"VORNHL.CFG.vornhale-tmp-Busy01", "busy"}}},
    };
    std::string skipped;
    for (const Case& c : cases) {
        fs::remove_all(folder);
        fs::create_directory(folder);
        ExfatDrive drive;
        if (c.exfat && !drive.mount(folder)) {
            skipped = std::string(c.name) + ": no exFAT drive could be mounted here (needs mkfs.exfat, losetup, "
                                            "mount.exfat-fuse and /dev/fuse)";
            continue;
        }
        std::ofstream(file) << "old and longer\r\n";
        if (!c.exfat) {
            ASSERT_EQ(::chown(folder.c_str(), Nobody, Nobody), 0);
            ASSERT_EQ(::chown(file.c_str(), Nobody, Nobody), 0);
        }
        c.prepare();
        const std::string access = outputOf("getfacl -n -p " + file.string());
        struct stat before, after;
        ASSERT_EQ(::stat(file.c_str(), &before), 0);

        EXPECT_EQ(asNobody([&] { platform.writeFile(".\\SHARE\\VORNHL.CFG", "new\r\n"); }), "") << c.name;
        EXPECT_EQ(slurp(file), "new\r\n") << c.name;
        EXPECT_EQ(outputOf("getfacl -n -p " + file.string()), access) << c.name;
        ASSERT_EQ(::stat(file.c_str(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode) << c.name;
        EXPECT_EQ(after.st_ino == before.st_ino, c.inPlace) << c.name;
        std::map<std::string, std::string> beside;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.path() != file)
                beside[entry.path().filename().string()] = slurp(entry.path());
        EXPECT_EQ(beside, c.beside) << c.name;
    }
    ::close(busy);
    if (!skipped.empty())
        GTEST_SKIP() << skipped;
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
