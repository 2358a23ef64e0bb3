// The stand-in game as pilotplay's tests play it: pilotplay and discpilot installed side by side
// in the test prefix, the stand-in game in a folder of its own, and the record it leaves.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace pilotplay_test {

constexpr char kTestFolder[] = "C:\\pilotplay-test";
// pilotplay.exe with discpilot.exe beside it, as the release zip unpacks.
constexpr char kInstalledPilotplay[] = "C:\\pilotplay-test\\DiscPilot\\pilotplay.exe";
// pilotplay.exe alone.
constexpr char kLonePilotplay[] = "C:\\pilotplay-test\\Alone\\pilotplay.exe";
constexpr char kGameFolder[] = "C:\\pilotplay-test\\Game Folder";
constexpr char kGame[] = "C:\\pilotplay-test\\Game Folder\\game.exe";

// Copies the programs into place and tells the stand-in where to write its record.
void InstallPrograms();
// Removes the folders and the stand-in's settings again.
void UninstallPrograms();

// How the stand-in game behaves when it next starts.
void SetGameExitStatus(DWORD status);
// A launcher: it starts a copy of itself that lives childMs longer, and ends at once.
void SetGameStartsChild(DWORD childMs);

using Record = std::map<std::string, std::string>;
// What the stand-in saw when it started; nothing when it never started.
std::optional<Record> GameRecord();
// What its child saw when it ended; nothing when it has not ended.
std::optional<Record> ChildRecord();

}  // namespace pilotplay_test
