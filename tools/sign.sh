#!/bin/sh
# Signs a built set-up program in place with Authenticode (SHA-256): the
# release's last step, after which nothing may touch the file. The build
# itself stays unsigned, the same bytes from run to run.
#   sign.sh SETUP CERTIFICATE KEY [TIME-STAMP-URL]
# CERTIFICATE: the builder's code-signing certificate, PEM (its chain may
# follow it in the file); KEY: its private key, PEM, without a pass phrase;
# TIME-STAMP-URL: an RFC 3161 time-stamp server, so that the signature
# outlives the certificate. A wrong file, certificate or key ends with an
# error and leaves SETUP as it was.
set -eu
if [ $# -lt 3 ] || [ $# -gt 4 ]; then
    echo "usage: sign.sh SETUP CERTIFICATE KEY [TIME-STAMP-URL]" >&2
    exit 2
fi
setup=$1 certificate=$2 key=$3 stamp=${4:-}
fail() {
    echo "sign.sh: $*" >&2
    exit 1
}

[ -f "$setup" ] && [ "$(head -c 2 "$setup")" = MZ ] || fail "$setup is not a Windows program"
certified=$(openssl x509 -in "$certificate" -noout -pubkey 2>/dev/null) ||
    fail "$certificate is not a PEM certificate"
own=$(openssl pkey -in "$key" -passin pass: -pubout 2>/dev/null) ||
    fail "$key is not a PEM private key without a pass phrase"
[ "$certified" = "$own" ] || fail "$key is not the key of the certificate in $certificate"

# Signed beside the program, then moved over it in one step.
signed="$setup.signing"
trap 'rm -f "$signed"' EXIT
rm -f "$signed"
set -- -certs "$certificate" -key "$key" -h sha256 -n "Brightlark Setup" -in "$setup" -out "$signed"
[ -z "$stamp" ] || set -- -ts "$stamp" "$@"
log=$(osslsigncode sign "$@" 2>&1) || fail "osslsigncode could not sign $setup:
$log"
chmod --reference="$setup" "$signed"
mv "$signed" "$setup"
echo "Signed $setup"
