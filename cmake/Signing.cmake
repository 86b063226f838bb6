# Authenticode signing of what a Windows build ships, and the publisher pin
# the program checks a downloaded installer against. Nothing a Windows build
# ships leaves it unsigned: without a signing certificate the configuration
# stops.
#
#   VELORA_TEST_SIGNING        ON: sign with the test certificate the build
#                              generates in <build>/signing/test (local and
#                              test builds; the win64 preset). Never for a release.
#   VELORA_SIGN_CERT           the publisher's code-signing certificate (PEM),
#                              followed by its intermediate certificates
#   VELORA_SIGN_KEY            its private key (PEM)
#   VELORA_SIGN_KEY_PASSWORD_FILE  a file holding the key's password, when it has one
#   VELORA_SIGN_TIMESTAMP_URL  an RFC 3161 time-stamping service, so that the
#                              signature outlives the certificate
#   VELORA_PUBLISHER_KEY_SHA256  the pin compiled into the program: SHA-256 of
#                              the signing certificate's public key. Empty: taken
#                              from the certificate the build signs with; set
#                              (e.g. in the release preset), the build stops when
#                              the certificate does not match it.
#
# The four VELORA_SIGN_* values may also come from environment variables of
# the same names, so that a release machine keeps them out of the cache.
#
# Provides velora_sign(INPUT OUTPUT [DEPENDS ...]) and, for the tests,
# VELORA_TEST_CERT_DIR with the files of tools/signing/make-test-certificates.sh.

option(VELORA_TEST_SIGNING "Sign with a test certificate generated into the build tree (local and test builds only)" OFF)
set(VELORA_SIGN_CERT "" CACHE FILEPATH "Code-signing certificate (PEM, with its intermediates) for release builds")
set(VELORA_SIGN_KEY "" CACHE FILEPATH "Private key (PEM) of the code-signing certificate")
set(VELORA_SIGN_KEY_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of the private key, if any")
set(VELORA_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamping service for the signature, if any")
set(VELORA_PUBLISHER_KEY_SHA256 "" CACHE STRING
    "SHA-256 (hex) of the publisher certificate's public key; empty: the signing certificate's")

find_program(VELORA_OSSLSIGNCODE osslsigncode)
find_program(VELORA_OPENSSL openssl)
if(NOT VELORA_OSSLSIGNCODE OR NOT VELORA_OPENSSL)
  message(FATAL_ERROR "Signing the Windows build needs osslsigncode and openssl "
                      "(Debian packages osslsigncode and openssl; scripts/install-deps.sh installs them).")
endif()

set(VELORA_TEST_CERT_DIR ${CMAKE_BINARY_DIR}/signing/test)

function(velora_make_test_certificates)
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/tools/signing/make-test-certificates.sh ${VELORA_TEST_CERT_DIR}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not generate the test certificates in ${VELORA_TEST_CERT_DIR}")
  endif()
endfunction()

# The value of a signing setting: the cache variable, else the environment variable.
function(velora_signing_setting name out)
  if(${name})
    set(${out} "${${name}}" PARENT_SCOPE)
  else()
    set(${out} "$ENV{${name}}" PARENT_SCOPE)
  endif()
endfunction()

if(VELORA_TEST_SIGNING)
  velora_make_test_certificates()
  set(velora_sign_cert ${VELORA_TEST_CERT_DIR}/publisher.pem)
  set(velora_sign_key ${VELORA_TEST_CERT_DIR}/publisher.key)
  set(velora_sign_password_file "")
  set(velora_sign_timestamp_url "")
  message(STATUS "Signing with the generated test certificate ${velora_sign_cert}")
else()
  velora_signing_setting(VELORA_SIGN_CERT velora_sign_cert)
  velora_signing_setting(VELORA_SIGN_KEY velora_sign_key)
  velora_signing_setting(VELORA_SIGN_KEY_PASSWORD_FILE velora_sign_password_file)
  velora_signing_setting(VELORA_SIGN_TIMESTAMP_URL velora_sign_timestamp_url)
  if(NOT velora_sign_cert OR NOT velora_sign_key)
    message(FATAL_ERROR
      "No code-signing certificate is configured, and a Windows build never ships an unsigned installer.\n"
      "For a release, give the publisher's certificate and key:\n"
      "  -DVELORA_SIGN_CERT=/path/cert.pem -DVELORA_SIGN_KEY=/path/key.pem\n"
      "  (or the environment variables VELORA_SIGN_CERT and VELORA_SIGN_KEY).\n"
      "For a local or test build, sign with a generated test certificate instead:\n"
      "  -DVELORA_TEST_SIGNING=ON")
  endif()
  foreach(setting IN ITEMS velora_sign_cert velora_sign_key velora_sign_password_file)
    if(${setting} AND NOT EXISTS "${${setting}}")
      message(FATAL_ERROR "The signing file ${${setting}} does not exist.")
    endif()
  endforeach()
endif()

# SHA-256 of the first certificate's DER SubjectPublicKeyInfo: the pin.
execute_process(COMMAND ${VELORA_OPENSSL} x509 -in ${velora_sign_cert} -noout -pubkey
                COMMAND ${VELORA_OPENSSL} pkey -pubin -outform DER
                COMMAND ${VELORA_OPENSSL} dgst -sha256 -r
                OUTPUT_VARIABLE velora_signing_key_hash RESULTS_VARIABLE results)
string(REGEX MATCH "^[0-9a-f]+" velora_signing_key_hash "${velora_signing_key_hash}")
string(LENGTH "${velora_signing_key_hash}" length)
if(NOT length EQUAL 64)
  message(FATAL_ERROR "Could not read the public key of the certificate ${velora_sign_cert} (${results}).")
endif()
string(TOLOWER "${VELORA_PUBLISHER_KEY_SHA256}" pinned)
if(pinned AND NOT pinned STREQUAL velora_signing_key_hash)
  message(FATAL_ERROR
    "The certificate ${velora_sign_cert} is not the publisher's: its key hash is ${velora_signing_key_hash}, "
    "VELORA_PUBLISHER_KEY_SHA256 is ${VELORA_PUBLISHER_KEY_SHA256}. The program would refuse its own installer.")
endif()
# What the program is built with (src/app/BuildConfig.h.in).
set(VELORA_PUBLISHER_KEY_SHA256 ${velora_signing_key_hash})

set(velora_sign_options -certs ${velora_sign_cert} -key ${velora_sign_key} -h sha256 -n "VELORA Desktop")
if(velora_sign_password_file)
  list(APPEND velora_sign_options -readpass ${velora_sign_password_file})
endif()
if(velora_sign_timestamp_url)
  list(APPEND velora_sign_options -ts ${velora_sign_timestamp_url})
endif()

# velora_sign(INPUT file OUTPUT file [CERT file KEY file] [DEPENDS ...]):
# OUTPUT is INPUT signed with the build's certificate, or with the one given
# (the tests sign with another publisher's).
function(velora_sign)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "INPUT;OUTPUT;CERT;KEY" "DEPENDS")
  if(arg_CERT)
    set(options -certs ${arg_CERT} -key ${arg_KEY} -h sha256 -n "VELORA Desktop")
  else()
    set(options ${velora_sign_options})
    set(arg_CERT ${velora_sign_cert})
    set(arg_KEY ${velora_sign_key})
  endif()
  add_custom_command(OUTPUT ${arg_OUTPUT}
      COMMAND ${CMAKE_COMMAND} -E remove -f ${arg_OUTPUT}
      COMMAND ${VELORA_OSSLSIGNCODE} sign ${options} -in ${arg_INPUT} -out ${arg_OUTPUT}
      DEPENDS ${arg_INPUT} ${arg_CERT} ${arg_KEY} ${arg_DEPENDS}
      COMMENT "Signing ${arg_OUTPUT}"
      VERBATIM)
endfunction()
