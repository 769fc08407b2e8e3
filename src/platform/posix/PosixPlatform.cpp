#include "platform/posix/PosixPlatform.h"

#include "platform/NativePlatform.h"

#include <QCoreApplication>

#include <cerrno>
#include <climits>
#include <unistd.h>

#include <vector>

namespace posix {

std::string PosixPlatform::resolve(const std::string& path) { return resolvePath(path, currentDirectory()); }

std::string PosixPlatform::currentDirectory()
{
    std::vector<char> buffer(PATH_MAX);
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return ".";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

void PosixPlatform::setCurrentDirectory(const std::string& path)
{
    if (::chdir(resolve(path).c_str()) != 0)
        throw LauncherError(ioErrorText(errno == ENOENT ? ENOTDIR : errno));
}

std::string PosixPlatform::ownDirectory()
{
    // Without an application object (the platform on its own) there is no
    // launcher directory; the search starts in the current one.
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath().toStdString() : currentDirectory();
}

void PosixPlatform::quit() { QCoreApplication::exit(0); }

}  // namespace posix

std::unique_ptr<Platform> makeNativePlatform() { return std::make_unique<posix::PosixPlatform>(); }
