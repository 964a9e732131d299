// The selection follows its entry, as in Windows' list box: an entry put in at or before it
// moves it down, one taken out before it moves it up, and taking out the selected entry
// leaves none selected.
#include "ui/framework/terminal/list_model.h"

#include "platform/cp932.h"

void ListModel::Clear() {
    items_.clear();
    selected_ = -1;
}

std::string ListModel::Text(int index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)] : std::string();
}

int ListModel::Add(const std::string& text) {
    int at = Count();
    if (sorted_)
        for (at = 0; at < Count() && cp932::CompareNoCase(items_[static_cast<size_t>(at)], text) <= 0;)
            ++at;
    Insert(at, text);
    return at;
}

void ListModel::Insert(int index, const std::string& text) {
    if (index == -1) index = Count();
    if (index < 0 || index > Count()) return;
    items_.insert(items_.begin() + index, text);
    if (selected_ >= index) ++selected_;
}

void ListModel::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
}

void ListModel::Select(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }
