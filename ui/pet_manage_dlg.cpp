// The management window's handlers; the actions themselves are in pet_actions.
#include "ui/pet_manage_dlg.h"

#include "res/resource.h"
#include "ui/framework/data_exchange.h"

namespace {
// "ペットは二度と帰ってきません。\nそれでも捨てますか？" and "ペットを捨てる".
const char kDiscardQuestion[] =
    "\x83\x79\x83\x62\x83\x67\x82\xcd\x93\xf1\x93\x78\x82\xc6\x8b\x41\x82\xc1\x82\xc4\x82\xab"
    "\x82\xdc\x82\xb9\x82\xf1\x81\x42\n\x82\xbb\x82\xea\x82\xc5\x82\xe0\x8e\xcc\x82\xc4\x82\xdc"
    "\x82\xb7\x82\xa9\x81\x48";
const char kDiscardCaption[] = "\x83\x79\x83\x62\x83\x67\x82\xf0\x8e\xcc\x82\xc4\x82\xe9";
constexpr int kNameBytes = 16;
}  // namespace

CPetManageDlg::CPetManageDlg(ProfileStore& store, Platform& platform, CDialog* owner)
    : CDialog(IDD_PET_MANAGE, owner), store_(store), platform_(platform) {}

void CPetManageDlg::DoDataExchange(DataExchange& dx) {
    dx.Text(IDC_MANAGE_NAME, name_);
    dx.MaxBytes(IDC_MANAGE_NAME, name_, kNameBytes);
}

bool CPetManageDlg::OnInitDialog() {
    state_ = std::make_unique<PetManageState>(PetManageState{Window().List(IDC_MANAGE_LIST)});
    FillPetList(*state_, store_);
    return CDialog::OnInitDialog();
}

bool CPetManageDlg::PreTranslateKey(Key key) { return key == Key::Enter || key == Key::Escape; }

void CPetManageDlg::ClearName() {
    name_.clear();
    UpdateData(false);
}

void CPetManageDlg::OnButton(int id) {
    switch (id) {
        case IDC_MANAGE_ADOPT:
            if (UpdateData(true) && AdoptPet(*state_, name_, store_, platform_)) ClearName();
            break;
        case IDC_MANAGE_RENAME:
            if (UpdateData(true) && RenamePet(*state_, name_, store_, platform_)) ClearName();
            break;
        case IDC_MANAGE_DISCARD:
            DiscardPet(*state_, store_, platform_, [this] {
                return Window().ShowMessage(kDiscardQuestion, kDiscardCaption,
                                           mb::kYesNo | mb::kIconExclamation) == mb::kIdYes;
            });
            break;
    }
}
