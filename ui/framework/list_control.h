// The list controls as the windows' logic sees them: an ordered list of texts with at most
// one selected entry. The dialogs hand their real controls in; tests hand in a plain one.
#pragma once
#include <string>

class ListControl {
public:
    virtual ~ListControl() = default;
    virtual void Clear() = 0;
    virtual int Count() const = 0;
    virtual std::string Text(int index) const = 0;
    // Appends at the end of an unsorted list, at its sorted place in a sorted one; the index.
    virtual int Add(const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    // Deleting the selected entry leaves none selected.
    virtual void Delete(int index) = 0;
    // An index outside the list selects nothing.
    virtual void Select(int index) = 0;
    // -1 when nothing is selected.
    virtual int Selected() const = 0;
};
