#include "dosbox/CueSheet.h"

#include "core/Text.h"

#include <algorithm>
#include <sstream>

namespace dosbox::cue {

namespace {
bool isControl(unsigned char c) { return c < 32 || c == 127; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The next blank-separated word of `line`, taken off its front.
std::string_view word(std::string_view& line)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    const std::string_view result = line.substr(0, end);
    line.remove_prefix(end);
    return result;
}

bool isNumber(std::string_view text, std::size_t digits)
{
    return !text.empty() && text.size() <= digits &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// mm:ss:ff, minutes, seconds and frames of 1/75 s.
bool isTime(std::string_view text)
{
    const auto parts = text::splitFields(text, ':');
    return parts.size() == 3 && isNumber(parts[0], 3) && isNumber(parts[1], 2) && isNumber(parts[2], 2) &&
           std::stoi(parts[1]) < 60 && std::stoi(parts[2]) < 75;
}

// The name of a FILE line, quoted or bare; the rest of the line stays in
// `line`. Sets `problem` where the name would lead DOSBox astray.
std::vector<std::string> fileName(std::string_view& line, std::string& problem)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    std::string_view name;
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        if (close == std::string_view::npos) {
            problem = "a FILE line has no closing quote";
            return {};
        }
        name = line.substr(1, close - 1);
        line.remove_prefix(close + 1);
    } else {
        name = word(line);
    }
    const std::string shown = "\"" + std::string(name) + "\"";
    if (name.empty()) {
        problem = "a FILE line names no file";
        return {};
    }
    if (name.front() == '/' || name.front() == '\\' || (name.size() > 1 && name[1] == ':')) {
        problem = "the file " + shown + " lies outside the image's folder (a full path)";
        return {};
    }
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    std::vector<std::string> parts = text::splitFields(path, '/');
    for (const std::string& part : parts)
        if (part.empty() || part == "." || part == "..") {
            problem = "the file " + shown + " may lie outside the image's folder";
            return {};
        }
    return parts;
}

constexpr const char* FileTypes[] = {"BINARY", "MOTOROLA", "WAVE", "MP3", "AIFF", "OGG", "FLAC"};
constexpr const char* TrackModes[] = {"AUDIO", "MODE1/2048", "MODE1/2352", "MODE2/2336", "MODE2/2352"};

template <std::size_t N>
bool oneOf(const std::string& text, const char* const (&list)[N])
{
    return std::find(std::begin(list), std::end(list), text) != std::end(list);
}

// Reads one line into `sheet`; returns why it is refused, or empty text.
std::string readLine(std::string_view line, Sheet& sheet, int& tracks)
{
    const std::string keyword = text::upperAscii(word(line));
    if (keyword == "FILE") {
        if (sheet.files.size() >= std::size_t(MaxTracks))
            return "it names more than " + std::to_string(MaxTracks) + " files";
        std::string problem;
        File file;
        file.name = fileName(line, problem);
        if (!problem.empty())
            return problem;
        file.type = text::upperAscii(word(line));
        if (!oneOf(file.type, FileTypes))
            return "the file type \"" + file.type + "\" is not one DOSBox knows";
        sheet.files.push_back(std::move(file));
        return {};
    }
    const bool trackLine = keyword == "TRACK" || keyword == "INDEX" || keyword == "PREGAP" || keyword == "POSTGAP";
    if (!trackLine)
        return {};  // titles, remarks and the like: DOSBox plays nothing from them
    if (sheet.files.empty())
        return "a " + keyword + " line comes before any FILE line";
    File& file = sheet.files.back();
    const std::string first(word(line));
    const std::string second = text::upperAscii(word(line));
    if (keyword == "TRACK") {
        if (++tracks > MaxTracks)
            return "it has more than " + std::to_string(MaxTracks) + " tracks";
        if (!isNumber(first, 2) || std::stoi(first) < 1 || !oneOf(second, TrackModes))
            return "\"TRACK " + first + " " + second + "\" is no track DOSBox knows";
        file.hasAudio = file.hasAudio || second == "AUDIO";
        file.lines.push_back("  TRACK " + first + " " + second);
    } else if (keyword == "INDEX") {
        if (!isNumber(first, 2) || !isTime(second))
            return "\"INDEX " + first + " " + second + "\" is no index DOSBox knows";
        file.lines.push_back("    INDEX " + first + " " + second);
    } else {
        if (!isTime(first))
            return "\"" + keyword + " " + first + "\" is no time DOSBox knows";
        file.lines.push_back("    " + keyword + " " + first);
    }
    return {};
}
}  // namespace

Sheet parse(std::string_view text)
{
    Sheet sheet;
    auto refuse = [&sheet](std::string problem) {
        sheet.files.clear();
        sheet.problem = std::move(problem);
        return sheet;
    };
    if (text.size() > MaxSheetBytes)
        return refuse("it is far larger than a cue sheet");
    // A byte-order mark, as Windows editors write, is no part of the first line.
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return isControl((unsigned char)c) && c != '\t' && c != '\r' && c != '\n'; }))
        return refuse("it holds control characters or binary data, as no cue sheet does");
    int tracks = 0;
    for (const std::string& line : text::splitLines(text)) {
        if (line.size() > MaxLineBytes)
            return refuse("a line is longer than DOSBox reads");
        if (std::string problem = readLine(line, sheet, tracks); !problem.empty())
            return refuse(problem);
    }
    if (tracks == 0)
        return refuse("it names no track");
    return sheet;
}

bool needsConversion(const File& file)
{
    if (!file.hasAudio || file.name.empty())
        return false;
    const std::string& last = file.name.back();
    const std::size_t dot = last.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : text::lowerAscii(last.substr(dot + 1));
    return extension == "mp3" || extension == "flac" || extension == "wav" || extension == "wave";
}

std::string write(const Sheet& sheet, const std::vector<std::string>& paths, const std::vector<std::string>& types)
{
    std::ostringstream out;
    for (std::size_t i = 0; i < sheet.files.size() && i < paths.size(); ++i) {
        const File& file = sheet.files[i];
        out << "FILE \"" << paths[i] << "\" " << (i < types.size() && !types[i].empty() ? types[i] : file.type)
            << "\r\n";
        for (const std::string& line : file.lines)
            out << line << "\r\n";
    }
    return out.str();
}

std::string trackPathProblem(std::string_view path)
{
    if (std::any_of(path.begin(), path.end(), [](char c) { return c == '"' || isControl((unsigned char)c); }))
        return "DOSBox cannot read a track whose path holds a double quote or a control character";
    if (path.size() > 250)
        return "DOSBox cannot read a track whose path is longer than 250 characters";
    return {};
}

std::string mountCommand(const std::string& cuePath) { return "IMGMOUNT D \"" + cuePath + "\" -t iso"; }

}  // namespace dosbox::cue
