// The fixed names of a pet folder, as every test spells them. The host's own come from the
// product's header; the stand-in host spells the live file's name by itself, so a wrong byte
// there still fails every launch.
#pragma once
#include <string>

#include "roster/host_files.h"

inline const std::string kLive = kLiveFile;  // "Kirimo設定.kmc"
inline const std::string kLiveTitle = kLiveFileTitle;
inline const std::string kOld = kOldSettingsFile;  // "むかしのKirimo設定.kmc"
inline const std::string kOldTitle = kOldSettingsTitle;
inline const std::string kPreviousTitle = kPreviousSettingsTitle;  // "変更前のKirimo設定"
inline const std::string kPrevious = kPreviousTitle + kPetExtension;
inline const std::string kIni = kSettingsFile;  // "Zandry.ini"
// The settings file written beside its place, until it replaces the old one.
inline const std::string kIniNew = kIni + ".new";
inline const std::string kHostExe = "Kirimo.exe";
// What the stand-in host writes when it starts, and the file that keeps it running.
inline const std::string kHostLog = "standin-host.log";
inline const std::string kHostStay = "standin-host.stay";
