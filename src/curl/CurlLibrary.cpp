#include "curl/CurlLibrary.h"

#include <dlfcn.h>

#include <atomic>
#include <mutex>

namespace velora::curl {

namespace {

std::atomic<const CurlFunctions*> loaded{nullptr};

template <class Function>
bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

const CurlFunctions* Load() {
    // Kept open for the rest of the run.
    void* library = dlopen(VELORA_CURL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static CurlFunctions f{};
    const bool complete = Resolve(library, "curl_easy_init", f.easy_init) &&
                          Resolve(library, "curl_easy_setopt", f.easy_setopt) &&
                          Resolve(library, "curl_easy_getinfo", f.easy_getinfo) &&
                          Resolve(library, "curl_easy_strerror", f.easy_strerror) &&
                          Resolve(library, "curl_easy_cleanup", f.easy_cleanup) &&
                          Resolve(library, "curl_multi_init", f.multi_init) &&
                          Resolve(library, "curl_multi_add_handle", f.multi_add_handle) &&
                          Resolve(library, "curl_multi_remove_handle", f.multi_remove_handle) &&
                          Resolve(library, "curl_multi_perform", f.multi_perform) &&
                          Resolve(library, "curl_multi_poll", f.multi_poll) &&
                          Resolve(library, "curl_multi_info_read", f.multi_info_read) &&
                          Resolve(library, "curl_multi_cleanup", f.multi_cleanup) &&
                          Resolve(library, "curl_slist_append", f.slist_append) &&
                          Resolve(library, "curl_slist_free_all", f.slist_free_all) &&
                          Resolve(library, "curl_global_init", f.global_init) &&
                          Resolve(library, "curl_global_cleanup", f.global_cleanup);
    if (!complete || f.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
    return &f;
}

}  // namespace

const CurlFunctions* Curl() {
    static std::once_flag once;
    std::call_once(once, [] { loaded = Load(); });
    return loaded;
}

const CurlFunctions* LoadedCurl() { return loaded; }

}  // namespace velora::curl
