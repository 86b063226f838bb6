#include "forms/CountryList.h"

#include "account/CountryTable.h"
#include "settings/AppIniStorage.h"
#include "controls/Canvas.h"
#include "controls/ComboBox.h"

namespace velora::forms {

void FillCountryList(controls::TComboBox& list, const settings::TCustomAppIniStorage& store,
                     const CountryNameLookup& lookupName) {
    const std::string code =
        list.ItemIndex() >= 0 ? SelectedDiallingCode(list) : std::string(account::kDefaultDiallingCode);

    component::TStrings& items = list.Items();
    items.BeginUpdate();
    items.Clear();
    for (const std::string& line : store.SectionLines(account::kCountrySection)) items.Add(line);
    // Put keeps the position: the list stays in the order of the codes,
    // whatever the names.
    for (int i = 0; i < items.Count(); ++i) {
        const std::string entry = items[i];
        const std::string value(account::CountryEntryDiallingCode(entry));
        const std::string name = lookupName ? lookupName(std::string(account::CountryEntryName(entry))) : std::string();
        if (!name.empty()) items.Put(i, name + " +" + value + "=" + value);
    }
    items.EndUpdate();

    SelectCountryByCode(list, code);
}

void SelectCountryByCode(controls::TComboBox& list, std::string_view diallingCode) {
    int found = -1;
    const component::TStrings& items = list.Items();
    for (int i = 0; i < items.Count(); ++i)
        if (account::CountryEntryDiallingCode(items[i]) == diallingCode) found = i;
    list.SetItemIndex(found);
}

std::string SelectedDiallingCode(const controls::TComboBox& list) {
    const int index = list.ItemIndex();
    if (index < 0 || index >= list.Items().Count()) return {};
    return std::string(account::CountryEntryDiallingCode(list.Items()[index]));
}

void DrawCountryEntry(controls::TCanvas& canvas, const controls::TRect& rect, std::string_view entry) {
    const account::TCountryColumns columns = account::CountryEntryColumns(entry);
    const controls::DpiScale& scale = canvas.Scale();
    canvas.FillRect(rect);
    canvas.DrawTextAt(rect.Left + scale.ToDevice(4), rect.Top, columns.name);
    // A name wider than its column would run under the code: the code
    // column gets its background back first, so a long name ends at it.
    canvas.FillRect(controls::TRect{rect.Left + scale.ToDevice(108), rect.Top, rect.Right, rect.Bottom});
    canvas.DrawTextAt(rect.Left + scale.ToDevice(110), rect.Top, columns.code);
}

std::string CountryListItemText(const controls::TComboBox& list, int index) {
    if (index < 0 || index >= list.Items().Count()) return {};
    const account::TCountryColumns columns = account::CountryEntryColumns(list.Items()[index]);
    const auto trimmed = [](std::string text) {
        const std::size_t first = text.find_first_not_of(' ');
        if (first == std::string::npos) return std::string();
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    const std::string name = trimmed(columns.name);
    const std::string code = trimmed(columns.code);
    if (name.empty() || code.empty()) return name + code;
    return name + " " + code;
}

void DrawCountryListItem(const controls::TComboBox& list, controls::TCanvas& canvas, int index,
                         const controls::TRect& rect) {
    if (index < 0 || index >= list.Items().Count()) {
        canvas.FillRect(rect);
        return;
    }
    DrawCountryEntry(canvas, rect, list.Items()[index]);
}

}  // namespace velora::forms
