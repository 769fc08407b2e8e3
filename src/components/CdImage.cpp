#include "components/CdImage.h"

#include "components/UserConfig.h"
#include "core/Errors.h"
#include "core/Text.h"
#include "dosbox/DosBox.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace cdimage {

namespace {
QString choiceKey(const std::string& gameFolder)
{
    // A folder's path holds separators, which QSettings would take for groups.
    return QStringLiteral("CdImage/") + QString::fromLatin1(QByteArray::fromStdString(gameFolder).toHex());
}

// Eight hexadecimal digits that differ wherever the texts do, as DOSBox's
// short names for folders are made.
std::string hashOf(const std::string& text) { return dosbox::mountName(text).substr(5); }

std::string extensionOf(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : text::lowerAscii(name.substr(dot));
}

bool isCueName(const std::string& name)
{
    const std::string extension = extensionOf(name);
    return extension == ".cue" || extension == ".ins";
}

// The entries of `folder` by name, files or folders as asked; none where it
// cannot be read.
std::vector<std::string> entries(const fs::path& folder, bool folders)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kindError;
        if (folders ? it->is_directory(kindError) : it->is_regular_file(kindError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string firstCueSheet(const fs::path& folder)
{
    for (const std::string& name : entries(folder, false))
        if (isCueName(name))
            return (folder / name).string();
    return {};
}

std::string findCueSheet(const std::string& gameFolder)
{
    if (std::string found = firstCueSheet(gameFolder); !found.empty())
        return found;
    for (const std::string& sub : entries(gameFolder, true))
        if (std::string found = firstCueSheet(fs::path(gameFolder) / sub); !found.empty())
            return found;
    return {};
}

// The file `parts` names below `folder`, each part matched regardless of the
// case of its letters where no entry has the exact name; empty text where
// there is none.
std::string findFile(fs::path folder, const std::vector<std::string>& parts)
{
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        std::error_code error;
        const fs::path exact = folder / parts[i];
        if (last ? fs::is_regular_file(exact, error) : fs::is_directory(exact, error)) {
            folder = exact;
            continue;
        }
        const std::vector<std::string> names = entries(folder, !last);
        const auto match = std::find_if(names.begin(), names.end(), [&](const std::string& name) {
            return text::upperAscii(name) == text::upperAscii(parts[i]);
        });
        if (match == names.end())
            return {};
        folder /= *match;
    }
    return folder.string();
}

std::string shownName(const std::vector<std::string>& parts)
{
    std::string name;
    for (const std::string& part : parts)
        name += (name.empty() ? "" : "/") + part;
    return name;
}

std::string readSheet(const std::string& path, std::string& problem)
{
    std::error_code error;
    const auto size = fs::file_size(path, error);
    if (error) {
        problem = "it cannot be read";
        return {};
    }
    if (size > dosbox::cue::MaxSheetBytes) {
        problem = "it is far larger than a cue sheet";
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        problem = "it cannot be read";
        return {};
    }
    return bytes.str();
}

std::string targetFor(const Image& image, std::size_t index, const std::string& cacheFolder)
{
    // Named after the source's path, size and time, so a changed source is
    // converted anew, and an unchanged one never again.
    const std::string& source = image.files[index];
    std::error_code error;
    const auto size = fs::file_size(source, error);
    const auto time = fs::last_write_time(source, error).time_since_epoch().count();
    char number[8];
    std::snprintf(number, sizeof number, "%02u", unsigned(index + 1));
    return (fs::path(cacheFolder) / ("cd-" + hashOf(image.path)) /
            (std::string(number) + "-" + hashOf(source + "|" + std::to_string(size) + "|" + std::to_string(time)) +
             ".bin"))
        .string();
}

// Conversions of sources that have changed since are never used again.
void forgetOldConversions(const Image& image, const std::string& cacheFolder)
{
    std::vector<std::string> current;
    for (std::size_t i = 0; i < image.files.size(); ++i)
        if (image.convert[i])
            current.push_back(fs::path(targetFor(image, i, cacheFolder)).filename().string());
    const fs::path folder = fs::path(cacheFolder) / ("cd-" + hashOf(image.path));
    for (const std::string& name : entries(folder, false)) {
        std::error_code error;
        if (std::find(current.begin(), current.end(), name) == current.end())
            fs::remove(folder / name, error);
    }
}

// A path DOSBox's cue reader can take for `path`: itself, or the same file
// through a link to its folder in the launcher's cache folder.
std::string readablePath(const std::string& path, const std::string& cacheFolder)
{
    const std::string problem = dosbox::cue::trackPathProblem(path);
    if (problem.empty())
        return path;
    const fs::path file(path);
    const fs::path link = fs::path(cacheFolder) / dosbox::mountName(file.parent_path().string());
    const std::string linked = (link / file.filename()).string();
    std::error_code error;
    fs::remove(link, error);
    fs::create_directory_symlink(file.parent_path(), link, error);
    if (error || !dosbox::cue::trackPathProblem(linked).empty())
        throw LauncherError(problem + ", and no short name could be made for it in \"" + cacheFolder + "\"");
    return linked;
}
}  // namespace

std::string chosen(const std::string& gameFolder)
{
    return QFile::encodeName(UserConfig::open()->value(choiceKey(gameFolder)).toString()).toStdString();
}

void choose(const std::string& gameFolder, const std::string& image)
{
    const auto config = UserConfig::open();
    if (image.empty())
        config->remove(choiceKey(gameFolder));
    else
        config->setValue(choiceKey(gameFolder), QFile::decodeName(QByteArray::fromStdString(image)));
    UserConfig::store(*config);
}

Image inspect(const std::string& gameFolder)
{
    Image image;
    image.path = chosen(gameFolder);
    image.chosen = !image.path.empty();
    if (!image.chosen)
        image.path = findCueSheet(gameFolder);
    std::error_code error;
    if (image.path.empty())
        return image;
    if (!fs::is_regular_file(image.path, error)) {
        image.problem = "it is missing";
        return image;
    }
    image.isCueSheet = extensionOf(image.path) != ".iso";
    if (!image.isCueSheet) {
        image.problem = dosbox::mountProblem(image.path);
        return image;
    }
    const std::string text = readSheet(image.path, image.problem);
    if (!image.problem.empty())
        return image;
    image.sheet = dosbox::cue::parse(text);
    image.problem = image.sheet.problem;
    const fs::path folder = fs::path(image.path).parent_path();
    for (const dosbox::cue::File& file : image.sheet.files) {
        image.files.push_back(findFile(folder, file.name));
        image.convert.push_back(dosbox::cue::needsConversion(file));
        if (image.files.back().empty()) {
            image.problem = "the file \"" + shownName(file.name) + "\" it names is missing";
            return image;
        }
    }
    if (!canConvert() && std::find(image.convert.begin(), image.convert.end(), true) != image.convert.end())
        image.problem = "its MP3, FLAC or WAVE tracks play wrongly in DOSBox, and this launcher converts them only "
                        "on Linux; tracks in OGG Vorbis or BIN files play";
    return image;
}

std::vector<Conversion> pendingConversions(const Image& image, const std::string& cacheFolder)
{
    std::vector<Conversion> pending;
    for (std::size_t i = 0; i < image.files.size(); ++i) {
        std::error_code error;
        if (image.convert[i] && !fs::exists(targetFor(image, i, cacheFolder), error))
            pending.push_back({image.files[i], targetFor(image, i, cacheFolder)});
    }
    return pending;
}

std::string prepareMount(const Image& image, const std::string& cacheFolder, const WriteFile& write)
{
    if (!image.problem.empty())
        throw LauncherError(image.problem);
    std::string cue = image.path;
    if (image.isCueSheet) {
        std::vector<std::string> paths, types;
        for (std::size_t i = 0; i < image.files.size(); ++i) {
            const bool converted = image.convert[i];
            paths.push_back(readablePath(converted ? targetFor(image, i, cacheFolder) : image.files[i], cacheFolder));
            types.push_back(converted ? "BINARY" : "");
        }
        forgetOldConversions(image, cacheFolder);
        cue = (fs::path(cacheFolder) / ("cd-" + hashOf(image.path) + ".cue")).string();
        write(cue, dosbox::cue::write(image.sheet, paths, types));
    }
    if (const std::string problem = dosbox::mountProblem(cue); !problem.empty())
        throw LauncherError(problem);
    return dosbox::cue::mountCommand(cue);
}

}  // namespace cdimage
