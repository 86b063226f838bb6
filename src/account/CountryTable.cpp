#include "account/CountryTable.h"

#include "settings/AppIniStorage.h"
#include "text/Text.h"

namespace velora::account {

namespace {

// ISO 3166-1 alpha-3 codes plus a few for territories without one (ASC, DGA,
// TAA); dialling codes without "+" and leading zeros.
constexpr std::string_view kDefaultTable =
    "AFG=93, ALA=358, ALB=355, DZA=213, ASM=1684, AND=376, AGO=244, AIA=1264, ATA=672, ATG=1268, "
    "ARG=54, ARM=374, ABW=297, ASC=247, AUS=61, AUT=43, AZE=994, BHS=1242, BHR=973, BGD=880, "
    "BRB=1246, BLR=375, BEL=32, BLZ=501, BEN=229, BMU=1441, BTN=975, BOL=591, BIH=387, BWA=267, "
    "BVT=47, BRA=55, IOT=246, BRN=673, BGR=359, BFA=226, BDI=257, KHM=855, CMR=237, CAN=1, CPV=238, "
    "CYM=1345, CAF=236, TCD=235, CHL=56, CHN=86, CXR=61891, CCK=61891, COL=57, COM=269, COG=242, "
    "COD=243, COK=682, CRI=506, CIV=225, HRV=385, CUB=53, CYP=357, CZE=420, DNK=45, DGA=246, "
    "DJI=253, DMA=1767, DOM=1809, TMP=670, ECU=593, EGY=20, SLV=503, GNQ=240, ERI=291, EST=372, "
    "ETH=251, FLK=500, FRO=298, FJI=679, FIN=358, FRA=33, GUF=594, GAB=241, GMB=220, GEO=995, "
    "DEU=49, GHA=233, GIB=350, GRC=30, GRL=299, GRD=1473, GLP=590, GUM=1671, GTM=502, GGY=441481, "
    "GIN=224, GNB=245, GUY=592, HTI=509, HND=504, HKG=852, HUN=36, ISL=354, IND=91, IDN=62, IRN=98, "
    "IRQ=964, IRL=353, IMN=441624, ISR=972, ITA=39, JAM=1876, JPN=81, JEY=447797, JOR=962, KAZ=73, "
    "KEN=254, KIR=686, PRK=850, KOR=82, KWT=965, KGZ=996, LAO=856, LVA=371, LBN=961, LSO=266, "
    "LBR=231, LBY=218, LIE=423, LTU=370, LUX=352, MAC=853, MKD=389, MDG=261, MWI=265, MYS=60, "
    "MDV=960, MLI=223, MLT=356, MHL=692, MTQ=596, MRT=222, MUS=230, MYT=269, MEX=52, FSM=691, "
    "MDA=373, MCO=377, MNG=976, MSR=1664, MAR=212, MOZ=258, MMR=95, NAM=264, NRU=674, NPL=977, "
    "NLD=31, ANT=599, NCL=687, NZL=64, NIC=505, NER=227, NGA=234, NIU=683, NFK=6723, MNP=1670, "
    "NOR=47, OMN=968, PAK=92, PLW=680, PSE=970, PAN=507, PNG=675, PRY=595, PER=51, PHL=63, POL=48, "
    "PYF=689, PRT=351, PRI=1787, QAT=974, REU=262, ROU=40, RUS=7, RWA=250, SHN=290, KNA=1869, "
    "LCA=1758, SPM=508, WSM=685, SMR=378, STP=239, SAU=966, SEN=221, SCG=381, SYC=248, SLE=232, "
    "SGP=65, SVK=421, SVN=386, SLB=677, SOM=252, ZAF=27, ESP=34, LKA=94, VCT=1784, SDN=249, SUR=597, "
    "SWZ=268, SWE=46, CHE=41, SYR=963, TWN=886, TJK=992, TZA=255, THA=66, TLS=670, TGO=228, TKL=690, "
    "TON=676, TTO=1868, TAA=290, TUN=216, TUR=90, TKM=993, TCA=1649, TUV=688, UGA=256, UKR=380, "
    "ARE=971, GBR=44, USA=1, URY=598, UZB=998, VUT=678, VAT=39, VEN=58, VNM=84, VGB=1284, VIR=1340, "
    "WLF=681, ESH=212, YEM=967, ZMB=260, ZWE=263";

}  // namespace

std::string_view CountryEntryName(std::string_view entry) { return entry.substr(0, entry.find('=')); }

std::string_view CountryEntryDiallingCode(std::string_view entry) {
    const auto equals = entry.find('=');
    return equals == std::string_view::npos ? std::string_view{} : entry.substr(equals + 1);
}

std::string_view DefaultCountryTable() { return kDefaultTable; }

std::vector<std::string> DefaultCountryEntries() {
    std::vector<std::string> entries;
    std::string_view rest = kDefaultTable;
    for (;;) {
        const auto comma = rest.find(',');
        std::string entry = text::Trim(rest.substr(0, comma));
        if (!entry.empty()) entries.push_back(std::move(entry));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return entries;
}

void SeedCountryTable(settings::TCustomAppIniStorage& store) {
    const std::vector<std::string> entries = DefaultCountryEntries();
    // The usual start finds the table as it was left: nothing to change.
    if (store.SectionLines(kCountrySection) == entries) return;
    store.BeginUpdate();
    store.RemoveTree(kCountrySection);
    for (const std::string& entry : entries)
        store.SetSectionValue(kCountrySection, CountryEntryName(entry), CountryEntryDiallingCode(entry));
    store.EndUpdate();
}

TCountryColumns CountryEntryColumns(std::string_view entry) {
    const std::string_view namePart = CountryEntryName(entry);
    // p is the 1-based position of the "+"; 0 when there is none, and then the
    // code column starts at the first character.
    const auto plus = namePart.find('+');
    const std::size_t p = plus == std::string_view::npos ? 0 : plus + 1;
    TCountryColumns columns;
    if (p > 2) columns.name = namePart.substr(0, p - 2);
    const std::size_t codeStart = p > 1 ? p - 2 : 0;
    columns.code = namePart.substr(codeStart, 6);
    return columns;
}

}  // namespace velora::account
