// The modal dialog base's default behaviour, and its data exchange.
#include "ui/framework/dialog_window.h"

#include "res/resource.h"

namespace {
DialogSystem* replacement = nullptr;

int ShowTitled(DialogWindow* owner, const std::string& text, unsigned buttons) {
    const std::string caption = Dialogs().ApplicationTitle();
    const unsigned type = buttons | mb::kIconExclamation;
    return owner ? owner->ShowMessage(text, caption, type) : Dialogs().ShowMessage(text, caption, type);
}
}  // namespace

DialogSystem& Dialogs() { return replacement ? *replacement : SystemDialogs(); }
void UseDialogs(DialogSystem* system) { replacement = system; }

std::string LoadText(int id, const std::vector<std::string>& inserts) {
    std::string text = Dialogs().LoadText(id);
    for (std::size_t i = 0; i < inserts.size(); ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        if (std::size_t at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), inserts[i]);
    }
    return text;
}

void Warn(DialogWindow* owner, const std::string& text) { ShowTitled(owner, text, mb::kOk); }

bool Ask(DialogWindow* owner, const std::string& text) { return ShowTitled(owner, text, mb::kYesNo) == mb::kIdYes; }

void SayFailure(const Failure& failure, int notDoneId, DialogWindow* owner) {
    static const int kInTheWay[] = {0, IDS_CANNOT_READ, IDS_CANNOT_WRITE, IDS_CANNOT_RENAME, IDS_CANNOT_START,
                                    IDS_HOST_RUNNING};
    if (!failure) return;
    std::string text = LoadText(kInTheWay[failure.kind], {failure.file, failure.to});
    if (notDoneId) text += "\n" + LoadText(notDoneId);
    Warn(owner, text);
}

int CDialog::DoModal() { return Dialogs().RunModal(*this, templateId_, owner_); }

bool CDialog::UpdateData(bool save) {
    DataExchange exchange(*window_, save);
    DoDataExchange(exchange);
    return !exchange.Failed();
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnCommand(int id) {
    if (id == kIdOk) return OnOK();
    if (id == kIdCancel) return EndDialog(kIdCancel);
    OnButton(id);
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(kIdOk);
}

void DataExchange::Selection(int id, int& index) {
    if (failed_) return;
    if (save_)
        index = window_.List(id).Selected();
    else
        window_.List(id).Select(index);
}

void DataExchange::Text(int id, std::string& text) {
    if (failed_) return;
    if (save_)
        text = window_.GetItemText(id);
    else
        window_.SetItemText(id, text);
}

void DataExchange::MaxBytes(int id, const std::string& text, int bytes) {
    if (failed_) return;
    if (!save_) {
        window_.LimitText(id, bytes);
    } else if (static_cast<int>(text.size()) > bytes) {
        Warn(&window_, LoadText(IDS_NAME_TOO_LONG, {std::to_string(bytes)}));
        failed_ = true;
    }
}
