// Why a port did not open: the causes PosixSerialPort finds on real files, devices and pseudo-terminals
// (held by another process, refused to an unprivileged user), and how RS485Connection passes them up.
#include "rs485/PosixSerialPort.h"
#include "rs485/RS485Connection.h"
#include "support/FakeSerialPort.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <random>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rs485 {
namespace {

namespace fs = std::filesystem;
using testing::PseudoTerminal;

constexpr uid_t nobodyId = 65534;

class ScratchFolder
{
public:
    ScratchFolder()
        : path(fs::temp_directory_path() / ("rs485-open-" + std::to_string(std::random_device()())))
    {
        fs::create_directories(path);
        // Reachable by the unprivileged user of the permission cases.
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }
    ~ScratchFolder() { fs::remove_all(path); }

    std::string file(const std::string& name,
                     fs::perms permissions = fs::perms::owner_read | fs::perms::owner_write) const
    {
        const fs::path file = path / name;
        std::ofstream(file) << "not a port";
        fs::permissions(file, permissions);
        return file.string();
    }

    fs::path path;
};

OpenFailure openPosix(const std::string& path)
{
    PosixSerialPort port;
    EXPECT_FALSE(port.open(path)) << path;
    EXPECT_FALSE(port.isOpen());
    return port.openFailure();
}

TEST(OpenFailure, EachKindOfPathThatIsNoPortGivesItsCause)
{
    ScratchFolder scratch;
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.isReady());
    const std::string lostTerminal = terminal.slavePath();
    terminal.closeMaster(); // the slave of a closed master no longer opens

    struct Case
    {
        const char* what;
        std::string path;
        OpenFailureCause cause;
        int systemError;
    };
    const Case cases[] = {
        {"missing path", (scratch.path / "ttyUSB7").string(), OpenFailureCause::NoSuchDevice, ENOENT},
        {"missing folder", "/dev/serial/by-id/zelmar-no-such-link", OpenFailureCause::NoSuchDevice, ENOENT},
        {"directory", scratch.path.string(), OpenFailureCause::NotASerialPort, EISDIR},
        {"regular file", scratch.file("plain"), OpenFailureCause::NotASerialPort, ENOTTY},
        {"device that is no terminal", "/dev/null", OpenFailureCause::NotASerialPort, ENOTTY},
        {"pseudo-terminal without master", lostTerminal, OpenFailureCause::NoSuchDevice, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const OpenFailure failure = openPosix(c.path);
        EXPECT_EQ(failure.cause, c.cause);
        if (c.systemError != 0) {
            EXPECT_EQ(failure.systemError, c.systemError);
        }
        EXPECT_FALSE(failure.systemText.empty());
    }
}

// A child process that opens the path the way another program would and keeps it until released.
class HoldingProcess
{
public:
    HoldingProcess(const std::string& path, std::function<bool(int fd)> hold)
    {
        int ready[2];
        int release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) {
            return;
        }
        pid = fork();
        if (pid == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            prctl(PR_SET_NAME, "port-holder");
            const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
            const char status = fd >= 0 && hold(fd) ? 'y' : 'n';
            (void)!::write(ready[1], &status, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1); // until the parent closes its end
            _exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        releaseFd = release[1];
        char status = 'n';
        holding = pid > 0 && ::read(ready[0], &status, 1) == 1 && status == 'y';
        ::close(ready[0]);
    }
    ~HoldingProcess()
    {
        if (releaseFd >= 0) {
            ::close(releaseFd);
        }
        if (pid > 0) {
            waitpid(pid, nullptr, 0);
        }
    }

    pid_t pid = -1;
    bool holding = false;

private:
    int releaseFd = -1;
};

TEST(OpenFailure, PortHeldByAnotherProcessNamesItsHolder)
{
    struct Case
    {
        const char* what;
        std::function<bool(int fd)> hold;
    };
    const Case cases[] = {
        {"exclusive mode (TIOCEXCL)", [](int fd) { return ioctl(fd, TIOCEXCL) == 0; }},
        {"lock only (flock)", [](int fd) { return flock(fd, LOCK_EX | LOCK_NB) == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PseudoTerminal terminal;
        ASSERT_TRUE(terminal.isReady());
        HoldingProcess holder(terminal.slavePath(), c.hold);
        ASSERT_TRUE(holder.holding);

        const OpenFailure failure = openPosix(terminal.slavePath());
        EXPECT_EQ(failure.cause, OpenFailureCause::Busy);
        EXPECT_EQ(failure.holderPid, holder.pid);
        EXPECT_EQ(failure.holderName, "port-holder");
    }
}

// Opens the path as the unprivileged user nobody in a child process when this test runs as root, else
// as the user running it; returns the cause found.
OpenFailureCause causeForUnprivilegedUser(const std::string& path)
{
    if (geteuid() != 0) {
        return openPosix(path).cause;
    }
    const pid_t child = fork();
    if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(nobodyId) != 0 || setuid(nobodyId) != 0) {
            _exit(100);
        }
        PosixSerialPort port;
        _exit(port.open(path) ? 101 : static_cast<int>(port.openFailure().cause));
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 100) << "cannot switch to the user nobody";
    EXPECT_NE(WEXITSTATUS(status), 101) << "the unprivileged user opened " << path;
    return static_cast<OpenFailureCause>(WEXITSTATUS(status));
}

TEST(OpenFailure, PortWithoutPermissionIsRefusedToAnUnprivilegedUser)
{
    ScratchFolder scratch;
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.isReady());
    // As the owner without root, only a mode without any permission refuses the file.
    const fs::perms ownerOnly =
        geteuid() == 0 ? fs::perms::owner_read | fs::perms::owner_write : fs::perms::none;
    fs::permissions(terminal.slavePath(), ownerOnly);

    struct Case
    {
        const char* what;
        std::string path;
    };
    const Case cases[] = {
        {"pseudo-terminal of another user", terminal.slavePath()},
        {"file without read permission", scratch.file("ttyLocked", ownerOnly)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(causeForUnprivilegedUser(c.path), OpenFailureCause::PermissionDenied);
    }
}

TEST(OpenFailure, ConnectionPassesTheCauseUp)
{
    struct Case
    {
        const char* what;
        std::function<void(testing::FakePortRecord&)> script;
        uint32_t baudRate;
        OpenFailureCause cause;
    };
    const Case cases[] = {
        {"opens", [](testing::FakePortRecord&) {}, 19200, OpenFailureCause::None},
        {"port busy",
         [](testing::FakePortRecord& port) {
             port.openSucceeds = false;
             port.openFailure = OpenFailure::fromErrno(EBUSY);
         },
         19200, OpenFailureCause::Busy},
        {"permission",
         [](testing::FakePortRecord& port) {
             port.openSucceeds = false;
             port.openFailure = OpenFailure::fromErrno(EACCES);
         },
         19200, OpenFailureCause::PermissionDenied},
        {"backend that cannot tell", [](testing::FakePortRecord& port) { port.openSucceeds = false; }, 19200,
         OpenFailureCause::Other},
        {"rate refused", [](testing::FakePortRecord& port) { port.applySucceeds = false; }, 345600,
         OpenFailureCause::RateRefused},
        {"no rate", [](testing::FakePortRecord&) {}, 0, OpenFailureCause::RateRefused},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::FakeLink link;
        c.script(*link.port);
        EXPECT_EQ(link.connection.open("ttyUSB0", c.baudRate), c.cause == OpenFailureCause::None);
        EXPECT_EQ(link.connection.lastOpenFailure().cause, c.cause);
        if (c.cause == OpenFailureCause::RateRefused) {
            EXPECT_EQ(link.connection.lastOpenFailure().baudRate, c.baudRate);
        }
    }

    RS485Connection withoutBackend([](const std::string&) { return nullptr; }, [](uint32_t) {});
    EXPECT_FALSE(withoutBackend.open("ttyUSB0", 19200));
    EXPECT_EQ(withoutBackend.lastOpenFailure().cause, OpenFailureCause::Other);
}

TEST(OpenFailure, SuccessfulOpenClearsTheLastFailure)
{
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.isReady());
    RS485Connection connection(posixPortFactory(), [](uint32_t) {});
    EXPECT_FALSE(connection.open("/dev/zelmar-no-such-port", 19200));
    EXPECT_EQ(connection.lastOpenFailure().cause, OpenFailureCause::NoSuchDevice);
    ASSERT_TRUE(connection.open(terminal.slavePath(), 19200));
    EXPECT_FALSE(connection.lastOpenFailure().failed());
}

} // namespace
} // namespace rs485
