#pragma once
// The country dialling-code table: the built-in default that the settings
// section "countries" is rebuilt from at every start, and the drop-down list
// of the options dialog that shows it, one entry per country, named in the
// current language.
//
// A list entry is name=value with the dialling code as value: either
// "Deutschland +49=49" (a name from the language file) or the plain table line
// "DEU=49" (no name known).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velora::settings {
class TCustomAppIniStorage;
}
namespace velora::ui {
class TCanvas;
class TComboBox;
struct TRect;
}  // namespace velora::ui

namespace velora::account {

// The settings section that holds the table.
inline constexpr std::string_view kCountrySection = "countries";
// Selected when the list holds no selection to keep.
inline constexpr std::string_view kDefaultDiallingCode = "49";

// The built-in table: entries code=digits separated by a comma and a blank.
std::string_view DefaultCountryTable();
// Its entries in table order, cut at the commas, blanks dropped.
std::vector<std::string> DefaultCountryEntries();

// Replaces the section "countries" (and every section whose name begins with
// it) by the built-in table and writes the file. Run once per start.
void SeedCountryTable(settings::TCustomAppIniStorage& store);

// The country's name in the current language for a three-letter code; empty
// when the language has none.
using CountryNameLookup = std::function<std::string(const std::string& countryCode)>;

// Refills the list from the section as last loaded: the sorted list puts the
// lines in the order of their three-letter codes, then every entry with a
// name is replaced in place. Keeps the selected dialling code (49 when nothing
// was selected).
void FillCountryList(ui::TComboBox& list, const settings::TCustomAppIniStorage& store,
                     const CountryNameLookup& lookupName);

// Selects the last entry whose dialling code equals `diallingCode` exactly;
// selects none when no entry has it.
void SelectCountryByCode(ui::TComboBox& list, std::string_view diallingCode);

// The dialling code of the selected entry (its text after the first "="); empty
// when nothing is selected.
std::string SelectedDiallingCode(const ui::TComboBox& list);

// An entry's two drawn columns: the name, and " +" with at most four digits.
// A plain code=digits entry has no "+": its name column is empty and its
// code column shows the three-letter code.
struct TCountryColumns {
    std::string name;
    std::string code;
};
TCountryColumns CountryEntryColumns(std::string_view entry);

// Draws one entry of the owner-drawn list: the rectangle filled with the
// current background, the name at left + 4 and the code at left + 110.
void DrawCountryEntry(ui::TCanvas& canvas, const ui::TRect& rect, std::string_view entry);
// The same for entry `index` of the list; an index outside the entries (the
// empty edit part of the list) only fills the rectangle.
void DrawCountryListItem(const ui::TComboBox& list, ui::TCanvas& canvas, int index, const ui::TRect& rect);

}  // namespace velora::account
