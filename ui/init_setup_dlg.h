// The first-run setup window: the pets found in the folder, the host executable's name.
#pragma once
#include <string>

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
