#pragma once
// The game's music is CD audio, which the game asks of the DOS CD-ROM driver.
// DOSBox gives it a CD drive with MSCDEX when it mounts a cue sheet with
// IMGMOUNT. A cue sheet is input from anywhere (a download, an old CD rip),
// so it is read here as a list of what DOSBox needs: each FILE with its
// tracks. A sheet that could make DOSBox read outside the image's folder, or
// that is no cue sheet at all, is refused with a reason; what DOSBox ignores
// anyway (titles, performers, remarks) is left out.
//
// The launcher never hands DOSBox the player's sheet itself: it writes one of
// its own beside its other DOSBox files, naming every file by the path found
// on disk (DOSBox fails the whole mount on a name whose case differs, which is
// common for images made on Windows).

#include <string>
#include <string_view>
#include <vector>

namespace dosbox::cue {

// Limits far above any real CD (99 tracks, a few kilobytes of text), so a
// huge or endless sheet is refused before DOSBox reads it.
inline constexpr std::size_t MaxSheetBytes = 64 * 1024;
inline constexpr std::size_t MaxLineBytes = 400;  // DOSBox reads at most 512 bytes a line
inline constexpr int MaxTracks = 99;

struct File {
    std::vector<std::string> name;  // its path below the image's folder, one part each
    std::string type;               // BINARY, MOTOROLA, WAVE, MP3, AIFF, OGG or FLAC
    std::vector<std::string> lines; // TRACK, INDEX, PREGAP and POSTGAP lines, as DOSBox reads them
    bool hasAudio = false;          // one of its tracks is an AUDIO track
};

struct Sheet {
    std::vector<File> files;
    std::string problem;  // why the sheet is refused; empty when it is usable
};

Sheet parse(std::string_view text);

// Audio files DOSBox 0.74 plays wrongly or not at all (MP3 and FLAC give
// lengths of about 0, WAVE a wrong table of contents): by the file's own
// extension, which is what DOSBox's decoders go by.
bool needsConversion(const File& file);

// The sheet with each file named by `paths` (one per file, in order) and
// given `types` (empty text keeps the file's own).
std::string write(const Sheet& sheet, const std::vector<std::string>& paths,
                  const std::vector<std::string>& types = {});

// Why DOSBox could not read a track at `path` from a cue sheet, or empty
// text: its cue reader loses a name with a double quote or a control
// character, and one longer than its 255-byte buffer.
std::string trackPathProblem(std::string_view path);

// The command that gives DOSBox the sheet at `cuePath` as drive D:, seen by
// its MSCDEX.
std::string mountCommand(const std::string& cuePath);

}  // namespace dosbox::cue
