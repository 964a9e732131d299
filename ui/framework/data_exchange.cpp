// Data exchange helpers.
#include "ui/framework/data_exchange.h"

#include "res/resource.h"

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
    Warn(&window_, LoadText(IDS_NAME_TOO_LONG, {std::to_string(bytes)}));
    failed_ = true;
}
