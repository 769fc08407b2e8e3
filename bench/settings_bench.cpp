// Load plus save of generated settings files of growing size, against the
// floor of merely splitting the same bytes into lines and joining them again.
// Both run in the same process on the same data; the ratio is what counts.

#include "MemoryPlatform.h"
#include "app/Forms.h"
#include "app/application.h"
#include "settings/SettingsLines.h"
#include "settings/_config.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
// The demo's settings with every key the launcher knows, scattered among
// unknown keys, duplicates and comments up to `lines` lines.
std::string generateSettings(std::size_t lines)
{
    static const char* known[] = {
        "ScreenMode = 1", "ScreenWidth = 640", "ScreenHeight = 480", "ScreenSize = 8", "ScreenGamma = 2",
        "FXDevice = 0", "MusicDevice = 13", "FXVolume = 255", "MusicVolume = 0", "SoundToggle = 1",
        "MusicToggle = 0", "NumVoices = 8", "NumChannels = 2", "NumBits = 16", "MixRate = 22000",
        "ReverseStereo = 0", "BlasterAddress = 0x220", "BlasterType = 6", "BlasterInterrupt = 5",
        "BlasterDma8 = 1", "BlasterDma16 = 5", "Move_Forward = \"Up\" \"\"", "Move_Backward = \"Down\" \"\"",
        "Turn_Left = \"Left\" \"\"", "Turn_Right = \"Right\" \"\"", "Strafe = \"LAlt\" \"\"", "Fire = \"LCtrl\" \"\"",
        "Open = \"Space\" \"\"", "Run = \"LShift\" \"\"", "AutoRun = \"CapLck\" \"\"", "Jump = \"a\" \"\"",
        "Crouch = \"z\" \"\"", "Look_Up = \"PgUp\" \"\"", "Look_Down = \"PgDn\" \"\"", "Center_View = \"Home\" \"\"",
        "Strafe_Left = \",\" \"\"", "Strafe_Right = \".\" \"\"", "Aim_Up = \"\" \"\"", "Aim_Down = \"\" \"\"",
        "Change_Player_AI = \"\" \"\"", "SendMessage = \"t\" \"\"", "ControllerType = 1", "JoystickPort = 0",
        "MouseSensitivity = 52427", "MouseAiming = 0", "MouseAimingFlipped = 0", "GameMouseAiming = 0",
        "MouseButton0 = \"Fire\"", "MouseButtonClicked0 = \"Move_Forward\"", "MouseButton1 = \"Move_Backward\"",
        "MouseButtonClicked1 = \"None\"", "MouseButton2 = \"AutoRun\"", "MouseButtonClicked2 = \"None\"",
        "JoystickButton0 = \"Fire\"", "JoystickButtonClicked0 = \"None\"", "JoystickButton1 = \"Strafe\"",
        "JoystickButtonClicked1 = \"None\"", "JoystickButton2 = \"Run\"", "JoystickButtonClicked2 = \"None\"",
        "JoystickButton3 = \"Open\"", "JoystickButtonClicked3 = \"None\"", "ComPort = 2", "IrqNumber = ~",
        "UartAddress = ~", "InitString = \"AT&F1\"", "PlayerName = \"Wanderer\""};
    const std::size_t knownCount = sizeof known / sizeof *known;
    std::string text;
    std::size_t next = 0;
    const std::size_t spacing = std::max<std::size_t>(1, lines / (2 * knownCount));
    for (std::size_t i = 0; i < lines; ++i) {
        if (i % spacing == 0)
            text += known[next++ % knownCount];  // past the first round these are duplicates
        else if (i % 7 == 0)
            text += "; comment line " + std::to_string(i);
        else
            text += "UnknownKey" + std::to_string(i) + " = value " + std::to_string(i * 31);
        text += "\r\n";
    }
    return text;
}

struct Launcher {
    MemoryPlatform platform;
    std::unique_ptr<Forms> forms = createForms(platform);
};

// Created and destroyed inside main(), while the QApplication exists.
Launcher* theLauncher = nullptr;
Launcher& launcher() { return *theLauncher; }

void BM_ReadWriteFloor(benchmark::State& state)
{
    const std::string text = generateSettings(std::size_t(state.range(0)));
    for (auto _ : state) {
        settings::LineBuffer lines;
        lines.read(text);
        std::string out = lines.write();
        benchmark::DoNotOptimize(out);
    }
    state.SetComplexityN(state.range(0));
}

void BM_LoadAndSave(benchmark::State& state)
{
    Launcher& l = launcher();
    const std::string text = generateSettings(std::size_t(state.range(0)));
    for (auto _ : state) {
        l.platform.files[Tconfig::SettingsFile] = text;
        l.forms->config->LoadSettings();
        l.forms->config->SaveSettings();
    }
    state.SetComplexityN(state.range(0));
}
}  // namespace

BENCHMARK(BM_ReadWriteFloor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_LoadAndSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond)->Complexity();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    launcher::initialiseApplication(app);
    auto instance = std::make_unique<Launcher>();
    theLauncher = instance.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
