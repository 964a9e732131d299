// A list box's or combo box's entries and selection, kept as Windows' controls keep them:
// the one list model of our dialog manager's windows and of the tests that drive the
// windows' logic without a window.
#pragma once
#include <string>
#include <vector>

#include "ui/framework/dialog_window.h"

class ListModel final : public ListControl {
public:
    // A sorted list (LBS_SORT, CBS_SORT) puts what is added at its place in the Japanese
    // locale's order (cp932::LocaleCompare); inserting never sorts.
    explicit ListModel(bool sorted = false) : sorted_(sorted) {}

    void Clear() override;
    int Count() const override { return static_cast<int>(items_.size()); }
    // Empty outside the list.
    std::string Text(int index) const override;
    int Add(const std::string& text) override;
    // -1 appends; an index past the end does nothing.
    void Insert(int index, const std::string& text) override;
    void Delete(int index) override;
    void Select(int index) override;
    int Selected() const override { return selected_; }

    const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
    bool sorted_;
    int selected_ = -1;
};
