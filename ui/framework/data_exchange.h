// One pass of data exchange between a dialog's fields and its controls. Once a check has
// failed, the rest of the pass does nothing.
#pragma once
#include <string>

#include "ui/framework/dialog_window.h"

class DataExchange {
public:
    DataExchange(DialogWindow& window, bool save) : window_(window), save_(save) {}
    bool Failed() const { return failed_; }

    // The selection of a combo box or list box.
    void Selection(int id, int& index);
    void Text(int id, std::string& text);
    // Reading: refuses a text over `bytes` bytes with the length message; writing: limits
    // the field to `bytes`.
    void MaxBytes(int id, const std::string& text, int bytes);

private:
    DialogWindow& window_;
    bool save_;
    bool failed_ = false;
};
