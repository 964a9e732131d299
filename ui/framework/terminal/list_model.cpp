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

// A sorted list box's own binary search, step for step: where it meets an entry equal to the
// new one, the new one goes before it, so equal entries' order depends on how they came.
int ListModel::Add(const std::string& text) {
    int at = sorted_ ? 0 : Count();
    for (int high = Count() - 1; sorted_ && at <= high;) {
        int mid = (at + high) / 2;
        int order = cp932::LocaleCompare(items_[static_cast<size_t>(mid)], text);
        if (order == 0) {
            at = mid;
            break;
        }
        if (order > 0)
            high = mid - 1;
        else
            at = mid + 1;
    }
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
