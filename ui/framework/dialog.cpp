// The modal dialog base's default behaviour.
#include "ui/framework/dialog.h"

#include "ui/framework/data_exchange.h"

namespace {
DialogSystem* replacement = nullptr;
}

DialogSystem& Dialogs() { return replacement ? *replacement : SystemDialogs(); }
void UseDialogs(DialogSystem* system) { replacement = system; }

int CDialog::DoModal() { return Dialogs().RunModal(*this, templateId_, owner_); }

bool CDialog::UpdateData(bool save) {
    DataExchange exchange(*window_, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

void CDialog::EndDialog(int result) { window_->EndDialog(result); }

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnCommand(int id) {
    if (id == kIdOk)
        OnOK();
    else if (id == kIdCancel)
        EndDialog(kIdCancel);
    else
        OnButton(id);
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(kIdOk);
}
