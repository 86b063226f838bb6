#pragma once
// The options dialog's country drop-down list: filled from the settings
// section "countries" with the names of the current language, its selection
// by dialling code, and the drawing of its two-column entries.

#include <functional>
#include <string>
#include <string_view>

namespace velora::settings {
class TCustomAppIniStorage;
}

namespace velora::controls {
class TCanvas;
class TComboBox;
struct TRect;
}  // namespace velora::controls

namespace velora::forms {

// The country's name in the current language for a three-letter code; empty
// when the language has none.
using CountryNameLookup = std::function<std::string(const std::string& countryCode)>;

// Refills the list from the section as last loaded: the sorted list puts the
// lines in the order of their three-letter codes, then every entry with a
// name is replaced in place. Keeps the selected dialling code (49 when nothing
// was selected).
void FillCountryList(controls::TComboBox& list, const settings::TCustomAppIniStorage& store,
                     const CountryNameLookup& lookupName);

// Selects the last entry whose dialling code equals `diallingCode` exactly;
// selects none when no entry has it.
void SelectCountryByCode(controls::TComboBox& list, std::string_view diallingCode);

// The dialling code of the selected entry (its text after the first "="); empty
// when nothing is selected.
std::string SelectedDiallingCode(const controls::TComboBox& list);

// What entry `index` shows, as a screen reader reads it: the name and the
// code ("\xD6sterreich +43"); empty outside the entries.
std::string CountryListItemText(const controls::TComboBox& list, int index);

// Draws one entry of the owner-drawn list: the rectangle filled with the
// current background, the name at left + 4 and the code at left + 110
// (designed pixels, scaled to the canvas's density).
void DrawCountryEntry(controls::TCanvas& canvas, const controls::TRect& rect, std::string_view entry);
// The same for entry `index` of the list; an index outside the entries (the
// empty edit part of the list) only fills the rectangle.
void DrawCountryListItem(const controls::TComboBox& list, controls::TCanvas& canvas, int index,
                         const controls::TRect& rect);

}  // namespace velora::forms
