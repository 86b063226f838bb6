// Throughput of the program's XML reader on the shipped language files,
// against pugixml parsing the same bytes. Both parse from memory into a tree
// and decode entities; pugixml is told the bytes are UTF-8 so that it, like
// the program's reader, converts no character set.

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <fstream>
#include <iterator>
#include <string>

#include "i18n/SimpleXml.h"

namespace {

std::string LanguageFile(const std::string& name) {
    std::ifstream in(std::string(VELORA_LANG_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_SimpleXml(benchmark::State& state, const std::string& name) {
    const std::string bytes = LanguageFile(name);
    if (bytes.empty()) return state.SkipWithError(("cannot read " + name).c_str());
    velora::i18n::TSimpleXML document;
    for (auto _ : state) {
        document.LoadFromString(bytes);
        benchmark::DoNotOptimize(document.Root().ItemCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_Pugixml(benchmark::State& state, const std::string& name) {
    const std::string bytes = LanguageFile(name);
    if (bytes.empty()) return state.SkipWithError(("cannot read " + name).c_str());
    pugi::xml_document document;
    for (auto _ : state) {
        const pugi::xml_parse_result result =
            document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!result) return state.SkipWithError(result.description());
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK_CAPTURE(BM_SimpleXml, de, std::string("de.lang"));
BENCHMARK_CAPTURE(BM_Pugixml, de, std::string("de.lang"));
BENCHMARK_CAPTURE(BM_SimpleXml, en, std::string("en.lang"));
BENCHMARK_CAPTURE(BM_Pugixml, en, std::string("en.lang"));

}  // namespace

BENCHMARK_MAIN();
