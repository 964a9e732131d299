// The chooser window's handlers.
#include "ui/chooser_dlg.h"

#include "res/resource.h"
#include "ui/pet_manage_dlg.h"

CChooserDlg::CChooserDlg(ProfileStore& store, Platform& platform, std::string hostPath)
    : CDialog(IDD_CHOOSER), store_(store), platform_(platform), hostPath_(std::move(hostPath)) {}

void CChooserDlg::DoDataExchange(DataExchange& dx) { dx.Selection(IDC_CHOOSER_PET, selected_); }

bool CChooserDlg::OnInitDialog() {
    Window().SetIcon(IDI_ZANDRY);
    selected_ = FillPetCombo(Window().List(IDC_CHOOSER_PET), store_);
    return CDialog::OnInitDialog();
}

void CChooserDlg::OnOK() {
    if (UpdateData(true) && selected_ != -1) EndDialog(kIdOk);
}

void CChooserDlg::OnButton(int id) {
    if (id != IDC_CHOOSER_SETTINGS) return;
    CPetManageDlg(store_, platform_, hostPath_, this).DoModal();
    selected_ = FillPetCombo(Window().List(IDC_CHOOSER_PET), store_);
}
