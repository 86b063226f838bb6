#pragma once
// libcurl, loaded with the first request. Linked, it and the libraries it
// pulls in (TLS, Kerberos, LDAP, SSH, ...) would cost a program idle in the
// tray about a megabyte of private memory for their relocations alone, at
// every start, also on the days no request is made; so the program does
// not link it but loads it when a request first needs it and keeps it for
// the rest of the run. The functions the client calls, typed after the
// library's own declarations.

#include <curl/curl.h>

namespace velora::curl {

struct CurlFunctions {
    decltype(&curl_easy_init) easy_init;
    decltype(&curl_easy_setopt) easy_setopt;
    decltype(&curl_easy_getinfo) easy_getinfo;
    decltype(&curl_easy_strerror) easy_strerror;
    decltype(&curl_easy_cleanup) easy_cleanup;
    decltype(&curl_multi_init) multi_init;
    decltype(&curl_multi_add_handle) multi_add_handle;
    decltype(&curl_multi_remove_handle) multi_remove_handle;
    decltype(&curl_multi_perform) multi_perform;
    decltype(&curl_multi_poll) multi_poll;
    decltype(&curl_multi_info_read) multi_info_read;
    decltype(&curl_multi_cleanup) multi_cleanup;
    decltype(&curl_slist_append) slist_append;
    decltype(&curl_slist_free_all) slist_free_all;
    decltype(&curl_global_init) global_init;
    decltype(&curl_global_cleanup) global_cleanup;
};

// Loads and initialises the library on the first call, from any thread;
// nullptr when it, or one of the functions, cannot be found (every request
// fails then).
const CurlFunctions* Curl();
// The library when a call of Curl() has loaded it; nullptr otherwise.
const CurlFunctions* LoadedCurl();

}  // namespace velora::curl
