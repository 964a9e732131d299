// A list control made of a vector, for driving the windows' logic without a window.
#pragma once
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "ui/framework/pet_list.h"

class VectorPetList final : public PetList {
public:
    explicit VectorPetList(std::vector<std::string> items = {}, bool sorted = false)
        : items_(std::move(items)), sorted_(sorted) {}

    void Clear() override {
        items_.clear();
        selected_ = -1;
    }
    int Count() override { return static_cast<int>(items_.size()); }
    std::string Text(int index) override { return items_.at(static_cast<size_t>(index)); }
    int Add(const std::string& text) override {
        size_t at = items_.size();
        if (sorted_)
            for (at = 0; at < items_.size() && cp932::CompareNoCase(items_[at], text) <= 0;) ++at;
        items_.insert(items_.begin() + static_cast<long>(at), text);
        return static_cast<int>(at);
    }
    void Insert(int index, const std::string& text) override {
        items_.insert(items_.begin() + index, text);
    }
    void Delete(int index) override {
        items_.erase(items_.begin() + index);
        if (index == selected_) selected_ = -1;
    }
    void Select(int index) override { selected_ = index >= 0 && index < Count() ? index : -1; }
    int Selected() override { return selected_; }

    const std::vector<std::string>& Items() const { return items_; }

private:
    std::vector<std::string> items_;
    bool sorted_;
    int selected_ = -1;
};
