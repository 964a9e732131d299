// The first-run setup window: the pets found in the folder, the host executable's name.
#pragma once
#include <string>
#include <vector>

#include "platform/profile_store.h"
#include "ui/framework/dialog_window.h"

class CInitSetupDlg : public CDialog {
public:
    CInitSetupDlg(ProfileStore& store, Platform& platform);

    bool OnInitDialog() override;
    void OnOK() override;

private:
    void DoDataExchange(DataExchange& dx) override;

    ProfileStore& store_;
    Platform& platform_;
    std::string hostExecutable_;
};

// What the window finds in the working folder, as pure functions of the names that the two
// folder searches return. The titles of the "*.kmc" matches, in the order given, less the two
// old settings files and the titles no roster can hold: empty, or given back changed by the
// settings file.
std::vector<std::string> CollectPetTitles(const std::vector<std::string>& petFileNames);
// The first "Kirimo*.exe" match, or the empty text.
std::string FindHostExecutable(const std::vector<std::string>& hostFileNames);
