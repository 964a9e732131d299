// The management window's handlers; the actions themselves are in pet_actions.
#include "ui/pet_manage_dlg.h"

#include "res/resource.h"

constexpr int kNameBytes = 16;

CPetManageDlg::CPetManageDlg(ProfileStore& store, Platform& platform, std::string hostPath, CDialog* owner)
    : CDialog(IDD_PET_MANAGE, owner), store_(store), platform_(platform), hostPath_(std::move(hostPath)) {}

void CPetManageDlg::DoDataExchange(DataExchange& dx) {
    dx.Text(IDC_MANAGE_NAME, name_);
    dx.MaxBytes(IDC_MANAGE_NAME, name_, kNameBytes);
}

bool CPetManageDlg::OnInitDialog() {
    state_ = std::make_unique<PetManageState>(PetManageState{Window().List(IDC_MANAGE_LIST), hostPath_});
    FillPetList(*state_, store_);
    return CDialog::OnInitDialog();
}

bool CPetManageDlg::PreTranslateKey(Key key) { return key == Key::Enter || key == Key::Escape; }

void CPetManageDlg::OnButton(int id) {
    if (id == IDC_MANAGE_DISCARD) {
        ActionResult result = DiscardPet(*state_, store_, platform_, [this] {
            return Window().ShowMessage(LoadText(IDS_DISCARD_QUESTION), LoadText(IDS_DISCARD_CAPTION),
                                        mb::kYesNo | mb::kIconExclamation) == mb::kIdYes;
        });
        SayFailure(result.failure, IDS_NOT_DISCARDED, &Window());
        return;  // the name typed stays for another action
    }
    const bool adopt = id == IDC_MANAGE_ADOPT;
    if ((!adopt && id != IDC_MANAGE_RENAME) || !UpdateData(true)) return;
    ActionResult result = (adopt ? AdoptPet : RenamePet)(*state_, name_, store_, platform_);
    SayFailure(result.failure, adopt ? IDS_NOT_ADOPTED : IDS_NOT_RENAMED, &Window());
    if (!result) return;
    name_.clear();
    UpdateData(false);
}
