// The chooser: the roster in a drop-down list, launch, settings, quit.
#pragma once
#include <string>

#include "platform/profile_store.h"
#include "ui/framework/dialog_window.h"

class CChooserDlg : public CDialog {
public:
    // `hostPath` goes on to the management window.
    CChooserDlg(ProfileStore& store, Platform& platform, std::string hostPath);
    // The roster index chosen when the run ended with OK; -1 for none.
    int SelectedIndex() const { return selected_; }

    bool OnInitDialog() override;
    void OnOK() override;

private:
    void DoDataExchange(DataExchange& dx) override;
    void OnButton(int id) override;

    ProfileStore& store_;
    Platform& platform_;
    std::string hostPath_;
    int selected_ = -1;
};
