// The names that the host program Kirimo fixes, in code page 932 bytes.
#pragma once

// "Kirimo設定.kmc": the file holding the host program's one active pet.
constexpr char kLiveFile[] = "Kirimo\x90\xdd\x92\xe8.kmc";
// "Kirimo設定": the live file's title, as the first-run setup finds it.
constexpr char kLiveFileTitle[] = "Kirimo\x90\xdd\x92\xe8";
// "むかしのKirimo設定.kmc": left by the host program, deleted by every switch.
constexpr char kOldSettingsFile[] = "\x82\xde\x82\xa9\x82\xb5\x82\xccKirimo\x90\xdd\x92\xe8.kmc";
// "むかしのKirimo設定" and "変更前のKirimo設定": titles that are never pets.
constexpr char kOldSettingsTitle[] = "\x82\xde\x82\xa9\x82\xb5\x82\xccKirimo\x90\xdd\x92\xe8";
constexpr char kPreviousSettingsTitle[] = "\x95\xcf\x8d\x58\x91\x4f\x82\xccKirimo\x90\xdd\x92\xe8";

constexpr char kPetExtension[] = ".kmc";
constexpr char kBackupExtension[] = ".bak";
constexpr char kSettingsFile[] = "Zandry.ini";
// The folder search that proposes the host executable.
constexpr char kHostPattern[] = "Kirimo*.exe";
