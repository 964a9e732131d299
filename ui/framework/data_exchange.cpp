// Data exchange helpers.
#include "ui/framework/data_exchange.h"

namespace {
// "%1 文字以内で入力してください。"
const char kLengthMessage[] = "%1 \x95\xb6\x8e\x9a\x88\xc8\x93\xe0\x82\xc5\x93\xfc\x97\xcd\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x42";
}  // namespace

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
        return;
    }
    if (static_cast<int>(text.size()) <= bytes) return;
    std::string message = kLengthMessage;
    message.replace(0, 2, std::to_string(bytes));
    window_.ShowMessage(message, Dialogs().ApplicationTitle(), mb::kOk | mb::kIconExclamation);
    failed_ = true;
}
