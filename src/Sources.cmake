# The launcher's source files, one list per library. The launcher's build
# (src/CMakeLists.txt) and the Windows test program (tests/windows) both read
# these lists, so a file is named in one place only.
set(src ${CMAKE_CURRENT_LIST_DIR})

# vornhale_logic: what needs no window (text helpers and errors, the settings
# lines, action tables, launch-file lines, browser-command parsing, the code
# page, the modem walk, DOSBox's command line and configuration in dosbox/).
# Standard library only, so it also builds for Windows alone.
set(VORNHALE_LOGIC_SOURCES
    ${src}/core/Errors.cpp
    ${src}/core/Text.cpp
    ${src}/settings/FoldedIndex.cpp
    ${src}/settings/SettingsLines.cpp
    ${src}/settings/ListSetting.cpp
    ${src}/settings/AudioSettings.cpp
    ${src}/settings/EmulatedHardware.cpp
    ${src}/dialogs/ActionTables.cpp
    ${src}/multiplayer/LaunchFile.cpp
    ${src}/multiplayer/ModemWalk.cpp
    ${src}/multiplayer/WhereToJoin.cpp
    ${src}/components/BrowserCommand.cpp
    ${src}/components/CodePage.cpp
    ${src}/dosbox/DosBox.cpp
    ${src}/dosbox/CueSheet.cpp
    ${src}/dosbox/Display.cpp
    ${src}/network/Ipv4.cpp
)

# vornhale_platform: the operating system, by job.
set(VORNHALE_POSIX_SOURCES
    ${src}/platform/posix/Paths.cpp
    ${src}/platform/posix/Files.cpp
    ${src}/platform/posix/PosixFiles.cpp
    ${src}/platform/posix/OwnFolder.cpp
    ${src}/platform/posix/SafeLinks.cpp
    ${src}/platform/posix/ShortNames.cpp
    ${src}/platform/posix/SaveInPlace.cpp
    ${src}/platform/posix/Programs.cpp
    ${src}/platform/posix/PosixPrograms.cpp
    ${src}/platform/posix/PosixRegistry.cpp
    ${src}/platform/posix/PosixPlatform.cpp
    ${src}/platform/posix/PlayerDosBox.cpp
)
# network/, on both systems: the home router (UPnP through miniupnpc,
# NAT-PMP) and the ports, on sockets alike on POSIX and Windows; each system
# adds its own half of the sockets.
set(VORNHALE_NETWORK_SOURCES
    ${src}/network/Sockets.cpp
    ${src}/network/NatPmp.cpp
    ${src}/network/Upnp.cpp
    ${src}/network/PortMapping.cpp
)
set(VORNHALE_NETWORK_POSIX_SOURCES ${src}/network/posix/Sockets.cpp)
set(VORNHALE_NETWORK_WIN32_SOURCES ${src}/network/win32/Sockets.cpp)
# Win32 alone; Win32Application.cpp, in the launcher only, ties it to Qt (the
# window that owns the browser start, the end of the event loop).
set(VORNHALE_WIN32_SOURCES
    ${src}/platform/win32/Win32Platform.cpp
    ${src}/platform/win32/Win32Files.cpp
    ${src}/platform/win32/Win32SaveInPlace.cpp
    ${src}/platform/win32/Win32Programs.cpp
    ${src}/platform/win32/Win32DosBox.cpp
    ${src}/platform/win32/Win32PlayerDosBox.cpp
    ${src}/platform/win32/Win32Junction.cpp
    ${src}/platform/win32/Win32Registry.cpp
)

# vornhale_ui: the windows, one module per window with its form beside it,
# and what they share, layer by layer from the top.
set(VORNHALE_UI_SOURCES
    ${src}/app/application.cpp
    ${src}/app/CommandLine.cpp
    ${src}/app/GameFolder.cpp
    ${src}/app/Forms.cpp
    ${src}/app/_main.cpp
    ${src}/app/_configmenu.cpp
    ${src}/settings/_config.cpp
    ${src}/settings/video_audio_settings.cpp
    ${src}/settings/key_definitions_settings.cpp
    ${src}/settings/mouse_joystick_settings.cpp
    ${src}/settings/player_modem_settings.cpp
    ${src}/settings/ListControls.cpp
    ${src}/dialogs/_videomode.cpp
    ${src}/dialogs/_audiosetup.cpp
    ${src}/dialogs/MusicNote.cpp
    ${src}/dialogs/_view.cpp
    ${src}/dialogs/_kbsetup.cpp
    ${src}/dialogs/_keypress.cpp
    ${src}/dialogs/_mousesetup.cpp
    ${src}/dialogs/_joysetup.cpp
    ${src}/multiplayer/_IPX.cpp
    ${src}/multiplayer/_hostjoin.cpp
    ${src}/multiplayer/_waitforcall.cpp
    ${src}/multiplayer/AddressPanel.cpp
    ${src}/multiplayer/_modem.cpp
    ${src}/multiplayer/_miscsetup.cpp
    ${src}/multiplayer/modem_list.cpp
    ${src}/multiplayer/StartSequence.cpp
    ${src}/multiplayer/TypedText.cpp
    ${src}/components/Accessibility.cpp
    ${src}/components/AnsiText.cpp
    ${src}/components/DosBoxStart.cpp
    ${src}/components/CdImage.cpp
    ${src}/components/CdConvert.cpp
    ${src}/components/CdMount.cpp
    ${src}/components/_cdprogress.cpp
    ${src}/components/DosBoxDisplay.cpp
    ${src}/components/ErrorBox.cpp
    ${src}/components/FixedDialog.cpp
    ${src}/components/GoToWeb.cpp
    ${src}/components/ListIndex.cpp
    ${src}/components/RadioGroup.cpp
    ${src}/components/UserConfig.cpp
)
unset(src)
