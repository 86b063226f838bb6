#!/usr/bin/env bash
# Generates the test code-signing material of a local or test build into
# DIR (a folder of the build tree; none of it is ever committed):
#
#   test-root.pem, test-root.cer    a test root certificate (PEM and DER), and its key
#   publisher.key, publisher.pem    the test publisher: a code-signing certificate from that
#                                   root, with the root after it
#   other-publisher.key, .pem       another code-signing certificate from the same root, with
#                                   the same subject but a key of its own: what the program's
#                                   publisher pin must refuse
#
# Usage: make-test-certificates.sh DIR. Does nothing when DIR holds them already.
set -euo pipefail
dir=$1
[ -f "$dir/publisher.pem" ] && [ -f "$dir/other-publisher.pem" ] && exit 0
mkdir -p "$dir"
cd "$dir"
umask 077

cat >extensions.cnf <<'CNF'
[leaf]
basicConstraints=critical,CA:false
keyUsage=critical,digitalSignature
extendedKeyUsage=codeSigning
subjectKeyIdentifier=hash
authorityKeyIdentifier=keyid
CNF

openssl req -x509 -newkey rsa:3072 -nodes -sha256 -days 3650 -keyout test-root.key -out test-root.pem \
  -subj "/CN=VELORA Desktop Test Root" \
  -addext "basicConstraints=critical,CA:true" -addext "keyUsage=critical,keyCertSign,cRLSign" \
  -addext "subjectKeyIdentifier=hash" 2>/dev/null
openssl x509 -in test-root.pem -outform DER -out test-root.cer

for name in publisher other-publisher; do
  openssl req -new -newkey rsa:3072 -nodes -sha256 -keyout "$name.key" -out "$name.csr" \
    -subj "/CN=VELORA Desktop Test Publisher" 2>/dev/null
  openssl x509 -req -sha256 -days 3650 -in "$name.csr" -CA test-root.pem -CAkey test-root.key \
    -set_serial "0x$(openssl rand -hex 16)" -extfile extensions.cnf -extensions leaf -out "$name.leaf.pem" 2>/dev/null
  cat "$name.leaf.pem" test-root.pem >"$name.pem.part"
  rm -f "$name.csr" "$name.leaf.pem"
done
# Last, so that a run cut short is done again.
mv other-publisher.pem.part other-publisher.pem
mv publisher.pem.part publisher.pem
