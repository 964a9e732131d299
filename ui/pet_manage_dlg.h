// The management window: adopt, rename and discard pets. Enter and Escape do nothing here.
#pragma once
#include <memory>
#include <string>

#include "ui/pet_actions.h"

class CPetManageDlg : public CDialog {
public:
    // Adoption and the discard of the current pet wait while the program at `hostPath` runs.
    CPetManageDlg(ProfileStore& store, Platform& platform, std::string hostPath, CDialog* owner);

    bool OnInitDialog() override;
    bool PreTranslateKey(Key key) override;

private:
    void DoDataExchange(DataExchange& dx) override;
    void OnButton(int id) override;

    ProfileStore& store_;
    Platform& platform_;
    std::string hostPath_;
    std::string name_;
    std::unique_ptr<PetManageState> state_;
};
