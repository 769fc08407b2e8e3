#pragma once
// The game's CD, for its music where the game runs in DOSBox. The image is
// the one the player chose for this game folder (kept in the launcher's own
// configuration, never in the game's settings), or else the first cue sheet
// by name in the game folder or one of its direct subfolders (".cue", or
// ".ins" as some digital releases name it), or a disc image the player chose
// (".iso": data only, no music).
//
// The image is only read: DOSBox gets a cue sheet of the launcher's own in
// its cache folder, naming the files found on disk whatever their case, and
// tracks DOSBox cannot play right are converted once into that folder too.

#include "dosbox/CueSheet.h"

#include <functional>
#include <string>
#include <vector>

namespace cdimage {

// The image the player chose for `gameFolder` (a full path), or empty text.
std::string chosen(const std::string& gameFolder);
// Keeps `image` (a full path; empty forgets the choice) for `gameFolder`.
void choose(const std::string& gameFolder, const std::string& image);

struct Conversion {
    std::string source;  // the player's file, only read
    std::string target;  // raw CD audio in the launcher's cache folder
};

struct Image {
    std::string path;     // the image the music would come from; empty: none found
    bool chosen = false;  // the player chose it
    std::string problem;  // why DOSBox cannot use it; empty when it can
    bool isCueSheet = false;
    dosbox::cue::Sheet sheet;
    std::vector<std::string> files;  // each FILE of the sheet as found on disk
    std::vector<bool> convert;       // per file: its tracks are converted first
};

// Finds and checks the image for `gameFolder`; reads the sheet, and no track.
Image inspect(const std::string& gameFolder);

// The conversions `image` needs before DOSBox can play it, with their
// targets in `cacheFolder`; those already done for unchanged sources are
// left out.
std::vector<Conversion> pendingConversions(const Image& image, const std::string& cacheFolder);

// Writes DOSBox's own cue sheet for `image` into `cacheFolder` through
// `write` and returns the command that mounts it; an .iso is mounted as it
// is. Converted tracks (pendingConversions done) stand in for their sources.
// Throws LauncherError with the reason where DOSBox could not read it.
using WriteFile = std::function<void(const std::string& path, const std::string& bytes)>;
std::string prepareMount(const Image& image, const std::string& cacheFolder, const WriteFile& write);

// Whether this build converts tracks (not on Windows, where the launcher
// carries no decoder).
bool canConvert();

}  // namespace cdimage
