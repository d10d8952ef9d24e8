#!/bin/sh
# Signing with no certificate of ours: a throw-away authority issues a
# code-signing certificate, tools/sign.sh signs a copy of setup.exe with it
# (not with the key of another), the copy verifies against that authority,
# and a copy of it with one byte changed does not. The signed copy is left
# as setup_signed.exe, which an end-to-end row installs from.
#   signing.sh SOURCE_DIR BUILD_DIR
set -eu
sign=$1/tools/sign.sh build=$2
work=$build/signing
rm -rf "$work" && mkdir -p "$work" && cd "$work"
fail() {
    echo "FAILED: $*"
    exit 1
}
quiet() { "$@" >/dev/null 2>&1; }

quiet openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj "/CN=Brightlark Test Authority"
quiet openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr -subj "/CN=Brightlark Test Publisher"
printf 'keyUsage=digitalSignature\nextendedKeyUsage=codeSigning\n' >signer.ext
quiet openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 -extfile signer.ext -out signer.pem

cp "$build/setup.exe" setup.exe
! quiet "$sign" setup.exe signer.pem ca.key || fail "signed with a key that is not the certificate's"
cmp -s setup.exe "$build/setup.exe" || fail "a refused signing changed the file"
"$sign" setup.exe signer.pem signer.key
osslsigncode verify -CAfile ca.pem -in setup.exe >verify.log 2>&1 || { cat verify.log; fail "the signed copy does not verify"; }

# A byte of the program's code, which the signature covers.
cp setup.exe changed.exe
printf 'x' | dd of=changed.exe bs=1 seek=2048 conv=notrunc 2>/dev/null
! quiet osslsigncode verify -CAfile ca.pem -in changed.exe || fail "a copy with one byte changed verifies"

cp setup.exe "$build/setup_signed.exe"
echo "signing: passed"
