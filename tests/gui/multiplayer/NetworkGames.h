#pragma once
// The IPX and modem dialogs' starts on a fake platform, from a settings file
// as a load leaves it.

#include "GuiTest.h"

#include "settings/_config.h"

#include <QDialog>

#include <initializer_list>
#include <optional>
#include <string>

inline const char* const Settings = "ENGINE\\VORNHL.CFG";
inline const char* const LaunchFile = "ENGINE\\COMMIT.DAT";

inline std::string crlf(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* l : lines)
        out += std::string(l) + "\r\n";
    return out;
}

class NetworkGames : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // As a load leaves it, without running every group's load on it.
        const std::string settings = "[Comm]\r\nComPort = 2\r\nPlayerName = \"Old\"\r\n";
        platform.putFile(Settings, settings);
        forms->config->Memo1.read(settings);
    }
    // The launch file as left on the fake disk (the start moves the fake's
    // current directory into ENGINE, so look it up by its full name).
    std::optional<std::string> launchFile() const
    {
        auto it = platform.files.find(FakePlatform::normalise(LaunchFile));
        if (it == platform.files.end())
            return std::nullopt;
        return it->second;
    }
    std::string settingsFile() const { return platform.files.at(FakePlatform::normalise(Settings)); }

    // Shows `dialog` modally and runs `inside` while it is up; reports whether
    // the dialog was still open afterwards (then closes it).
    bool runShown(QDialog& dialog, const std::function<void()>& inside)
    {
        bool stillOpen = false;
        whenModal([&](QWidget* modal) {
            EXPECT_EQ(modal, &dialog);
            inside();
            stillOpen = dialog.isVisible();
            if (stillOpen)
                dialog.close();
        });
        dialog.exec();
        return stillOpen;
    }
    void expectStartedAndEnded()
    {
        ASSERT_EQ(platform.starts.size(), 1u);
        EXPECT_EQ(platform.starts[0].commandLine, "NET.BAT");
        EXPECT_EQ(platform.starts[0].show, 1);
        EXPECT_EQ(platform.starts[0].directory, "C:\\VORNHALE\\ENGINE");
        // DOSBox is given a network only where NET.BAT runs in it.
        EXPECT_EQ(platform.starts[0].setup.empty(), !platform.dosBoxStarts);
        EXPECT_EQ(platform.quitCount, 1);
        EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    }
    void expectNothingStarted()
    {
        EXPECT_TRUE(platform.starts.empty());
        EXPECT_EQ(platform.quitCount, 0);
        EXPECT_EQ(platform.cwd, "C:\\VORNHALE");
    }
};
