#include "component/Strings.h"

#include <algorithm>

#include "text/Text.h"
#include "component/Errors.h"

namespace velora::component {

namespace {
// Order of sorted lists: byte order of the upper-case forms.
bool SortsBefore(const std::string& a, const std::string& b) {
    return text::AnsiUpperCase(a) < text::AnsiUpperCase(b);
}
}  // namespace

const ClassInfo& TStrings::StaticClass() {
    static const ClassInfo info{"TStrings", &TPersistent::StaticClass(), {}};
    return info;
}

const std::string& TStrings::Strings(int index) const {
    CheckIndex(index, Count() - 1);
    return lines_[static_cast<size_t>(index)];
}

void TStrings::Put(int index, const std::string& line) {
    CheckIndex(index, Count() - 1);
    lines_[static_cast<size_t>(index)] = line;
    Changed();
}

int TStrings::Add(const std::string& line) {
    lines_.push_back(line);
    Changed();
    return Count() - 1;
}

void TStrings::Insert(int index, const std::string& line) {
    CheckIndex(index, Count());
    lines_.insert(lines_.begin() + index, line);
    Changed();
}

void TStrings::Delete(int index) {
    CheckIndex(index, Count() - 1);
    lines_.erase(lines_.begin() + index);
    Changed();
}

void TStrings::Clear() {
    if (lines_.empty()) return;
    lines_.clear();
    Changed();
}

int TStrings::IndexOf(std::string_view line) const {
    for (int i = 0; i < Count(); ++i)
        if (text::SameText(lines_[static_cast<size_t>(i)], line)) return i;
    return -1;
}

std::string TStrings::Text() const {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
        Add(std::string(text.substr(pos, end - pos)));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& source) {
    const std::vector<std::string> copy = source.lines_;  // the source may be this list
    BeginUpdate();
    for (const std::string& line : copy) Add(line);
    EndUpdate();
}

void TStrings::Assign(const TPersistent& source) {
    const auto* strings = dynamic_cast<const TStrings*>(&source);
    if (strings == nullptr) return TPersistent::Assign(source);
    if (strings == this) return;
    BeginUpdate();
    Clear();
    AddStrings(*strings);
    EndUpdate();
}

void TStrings::EndUpdate() {
    if (updateDepth_ > 0) --updateDepth_;
    if (updateDepth_ == 0 && changedDuringUpdate_) {
        changedDuringUpdate_ = false;
        if (OnChange) OnChange();
    }
}

void TStrings::Changed() {
    if (updateDepth_ > 0) {
        changedDuringUpdate_ = true;
        return;
    }
    if (OnChange) OnChange();
}

void TStrings::CheckIndex(int index, int limit) const {
    if (index < 0 || index > limit)
        throw ListError("List index out of bounds (" + std::to_string(index) + ")");
}

const ClassInfo& TStringList::StaticClass() {
    static const ClassInfo info{"TStringList", &TStrings::StaticClass(), {}};
    return info;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_ && !std::is_sorted(lines_.begin(), lines_.end(), SortsBefore)) {
        std::stable_sort(lines_.begin(), lines_.end(), SortsBefore);
        Changed();
    }
}

int TStringList::Add(const std::string& line) {
    if (!sorted_) return TStrings::Add(line);
    const auto at = std::upper_bound(lines_.begin(), lines_.end(), line, SortsBefore);
    const int index = static_cast<int>(at - lines_.begin());
    lines_.insert(at, line);
    Changed();
    return index;
}

}  // namespace velora::component
