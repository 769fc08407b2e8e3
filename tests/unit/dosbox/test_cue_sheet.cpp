// Cue sheets come from anywhere: what DOSBox is given of them, and the ones
// refused before DOSBox or the launcher reads a file they name.
#include "dosbox/CueSheet.h"

#include <gtest/gtest.h>

TEST(CueSheet, KeepsWhatDosBoxPlaysAndRefusesSheetsThatReachOutsideTheImageOrAreNoCueSheet)
{
    struct Case {
        const char* name;
        std::string sheet;
        const char* problem;  // a part of the reason; empty: usable
    };
    const std::string track = "  TRACK 02 AUDIO\r\n    INDEX 01 00:00:00\r\n";
    std::string manyTracks = "FILE \"A.BIN\" BINARY\n";
    for (int i = 0; i < 100; ++i)
        manyTracks += "TRACK 01 AUDIO\n";
    const Case cases[] = {
        {"a usable sheet", "REM made by hand\r\nFILE \"Track 2.ogg\" OGG\r\n" + track, ""},
        {"a bare name in a subfolder", "FILE Music\\T2.WAV WAVE\n" + track, ""},
        {"a parent folder", "FILE \"../secret.bin\" BINARY\n" + track, "outside the image"},
        {"a parent folder, Windows style", "FILE \"music\\..\\..\\x.bin\" BINARY\n" + track, "outside the image"},
        {"an absolute path", "FILE \"/etc/passwd\" BINARY\n" + track, "full path"},
        {"a drive letter", "FILE \"C:\\X.BIN\" BINARY\n" + track, "full path"},
        {"an unclosed quote", "FILE \"A.BIN BINARY\n" + track, "closing quote"},
        {"a quote inside the name", "FILE \"A\"B.BIN\" BINARY\n" + track, "file type"},
        {"a control character", "FILE \"A\x1b.BIN\" BINARY\n" + track, "control characters"},
        {"binary data", std::string("FILE \"A.BIN\" BINARY\n\0\x01\x02", 23) + track, "control characters"},
        {"a huge file", std::string(dosbox::cue::MaxSheetBytes + 1, ' '), "larger"},
        {"an endless line", "FILE \"" + std::string(600, 'A') + "\" BINARY\n" + track, "longer"},
        {"thousands of tracks", manyTracks, "more than 99 tracks"},
        {"a track before any file", track, "before any FILE"},
        {"no track at all", "FILE \"A.BIN\" BINARY\n", "no track"},
        {"an unknown track mode", "FILE \"A.BIN\" BINARY\nTRACK 01 VIDEO\n", "no track"},
        {"a bad index time", "FILE \"A.BIN\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:99:00\n", "no index"},
    };
    for (const Case& c : cases) {
        const dosbox::cue::Sheet sheet = dosbox::cue::parse(c.sheet);
        if (*c.problem == '\0') {
            EXPECT_EQ(sheet.problem, "") << c.name;
            EXPECT_EQ(sheet.files.size(), 1u) << c.name;
        } else {
            EXPECT_NE(sheet.problem.find(c.problem), std::string::npos) << c.name << ": " << sheet.problem;
            EXPECT_TRUE(sheet.files.empty()) << c.name;
        }
    }
    // DOSBox is given the file found on disk, the tracks and nothing else.
    const auto sheet = dosbox::cue::parse("TITLE \"x\"\nFILE music\\t2.flac WAVE\n" + track);
    EXPECT_EQ(sheet.files[0].name, (std::vector<std::string>{"music", "t2.flac"}));
    EXPECT_TRUE(dosbox::cue::needsConversion(sheet.files[0]));
    EXPECT_EQ(dosbox::cue::write(sheet, {"/c/T2.bin"}, {"BINARY"}), "FILE \"/c/T2.bin\" BINARY\r\n" + track);
}
