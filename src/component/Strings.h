#pragma once
// String lists: the lines of a memo, the entries of a list or radio group.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "component/ClassInfo.h"
#include "component/Persistent.h"

namespace velora::component {

// The interface of every string list; the lists themselves are TStringList.
class TStrings : public TPersistent {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int Count() const { return static_cast<int>(lines_.size()); }
    // Line access; an index outside 0 .. Count()-1 throws ListError.
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    // Replaces line `index` in place.
    void Put(int index, const std::string& line);
    // Adds a line and returns its index (at the end, or in order when sorted).
    virtual int Add(const std::string& line);
    // Inserts at `index` (0 .. Count()).
    void Insert(int index, const std::string& line);
    void Delete(int index);
    void Clear();
    // The first line equal to `line` without regard to case; -1 if none.
    int IndexOf(std::string_view line) const;
    const std::vector<std::string>& Lines() const { return lines_; }

    // Every line followed by CR LF.
    std::string Text() const;
    // Replaces all lines by the text cut at CR, LF or CR LF; a break at the
    // very end ends the last line and adds no empty one.
    void SetText(std::string_view text);

    void AddStrings(const TStrings& source);
    // Takes the lines of another string list (added through Add, so a sorted
    // list sorts them).
    void Assign(const TPersistent& source) override;

    // Changes between BeginUpdate and the matching EndUpdate report once.
    void BeginUpdate() { ++updateDepth_; }
    void EndUpdate();

    // Called after every change. A control that holds the list listens
    // through it, so leave it alone on a control's list.
    std::function<void()> OnChange;

protected:
    TStrings() = default;
    void Changed();
    void CheckIndex(int index, int limit) const;

    std::vector<std::string> lines_;

private:
    int updateDepth_ = 0;
    bool changedDuringUpdate_ = false;
};

class TStringList : public TStrings {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool Sorted() const { return sorted_; }
    // Switching sorting on sorts the lines present.
    void SetSorted(bool sorted);
    // In a sorted list the line goes before the first line that sorts after
    // it (compared without regard to case). Insert and Put keep the position
    // they are given: the list is not re-sorted then.
    int Add(const std::string& line) override;

private:
    bool sorted_ = false;
};

}  // namespace velora::component
