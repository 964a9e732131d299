// A list box or combo box of a live dialog, seen as a PetList.
#pragma once
#include "ui/framework/dialog_window.h"
#include "ui/framework/pet_list.h"

class ControlList final : public PetList {
public:
    ControlList(DialogWindow& window, int id) : window_(window), id_(id) {}
    void Clear() override { window_.ResetContent(id_); }
    int Count() override { return window_.GetCount(id_); }
    std::string Text(int index) override { return window_.GetString(id_, index); }
    int Add(const std::string& text) override { return window_.AddString(id_, text); }
    void Insert(int index, const std::string& text) override { window_.InsertString(id_, index, text); }
    void Delete(int index) override { window_.DeleteString(id_, index); }
    void Select(int index) override { window_.SetCurSel(id_, index); }
    int Selected() override { return window_.GetCurSel(id_); }

private:
    DialogWindow& window_;
    int id_;
};
