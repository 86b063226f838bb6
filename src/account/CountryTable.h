#pragma once
// The country dialling-code table: the built-in default that the settings
// section "countries" is rebuilt from at every start, and the entries the
// options dialog's drop-down list shows, one per country, named in the
// current language.
//
// A list entry is name=value with the dialling code as value: either
// "Deutschland +49=49" (a name from the language file) or the plain table line
// "DEU=49" (no name known).

#include <string>
#include <string_view>
#include <vector>

namespace velora::settings {
class TCustomAppIniStorage;
}

namespace velora::account {

// The settings section that holds the table.
inline constexpr std::string_view kCountrySection = "countries";
// Selected when the list holds no selection to keep.
inline constexpr std::string_view kDefaultDiallingCode = "49";

// The built-in table: entries code=digits separated by a comma and a blank.
std::string_view DefaultCountryTable();
// Its entries in table order, cut at the commas, blanks dropped.
std::vector<std::string> DefaultCountryEntries();

// Unless the section "countries" (as last loaded) holds the built-in table
// already, replaces it and every section whose name begins with it by that
// table, in the document only: the caller writes the file. Run once per start.
void SeedCountryTable(settings::TCustomAppIniStorage& store);

// The two sides of a list entry or table line: around its first "=".
std::string_view CountryEntryName(std::string_view entry);
std::string_view CountryEntryDiallingCode(std::string_view entry);

// An entry's two columns as the list draws them: the name, and " +" with at most four digits.
// A plain code=digits entry has no "+": its name column is empty and its
// code column shows the three-letter code.
struct TCountryColumns {
    std::string name;
    std::string code;
};
TCountryColumns CountryEntryColumns(std::string_view entry);

}  // namespace velora::account
