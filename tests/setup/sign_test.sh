#!/usr/bin/env bash
# The release's Authenticode signatures with a throw-away self-signed certificate made here:
# without a certificate the release says it is unsigned; with a PEM certificate and key, and
# with a PKCS#12 file, every program (inside the packages too) and every package is signed and
# verifies; a changed file no longer verifies; a half-given certificate stops the release.
# Usage: sign_test.sh BUILD_DIR   (the Windows tree, its release folder built)
set -uo pipefail
build=$1
make_release=$WD_SOURCE_DIR/setup/release/make_release.sh
work=$(mktemp -d /tmp/wd-sign-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
unset WD_SIGN_CERT WD_SIGN_KEY WD_SIGN_PKCS12 WD_SIGN_PASSWORD WD_SIGN_TIMESTAMP

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Pulsora Pro test signing" \
  -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" \
  2>/dev/null || fail "no test certificate"
verify() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
packages=(2052/Setup.msi 2052/Setup-machine.msi 1033/Setup.msi 1033/Setup-machine.msi)

expect_signed() {  # RELEASE
  verify "$1/Setup.exe" || fail "Setup.exe: $(tail -3 "$work/verify.log")"
  for package in "${packages[@]}"; do
    verify "$1/$package" || fail "$package: $(tail -3 "$work/verify.log")"
  done
  rm -rf "$work/files"
  mkdir "$work/files"
  (cd "$work/files" && msiextract "$1/2052/Setup-machine.msi" >/dev/null) ||
    fail "the package's files could not be extracted"
  for name in wardDesk.exe rc_en.dll; do
    file=$(find "$work/files" -name "$name")
    [[ -n $file ]] && verify "$file" || fail "$name in the package is not signed"
  done
}

# 1. No certificate: said plainly, nothing signed.
said=$("$make_release" "$build" "$work/unsigned") || fail "the unsigned release failed"
grep -q '^UNSIGNED' <<<"$said" || fail "the unsigned release does not say so: $said"
verify "$work/unsigned/Setup.exe" && fail "an unsigned Setup.exe verifies"
verify "$work/unsigned/2052/Setup.msi" && fail "an unsigned package verifies"

# 2. A PEM certificate and key.
WD_SIGN_CERT=$work/cert.pem WD_SIGN_KEY=$work/key.pem "$make_release" "$build" "$work/pem" \
  >/dev/null || fail "signing with a PEM certificate failed"
expect_signed "$work/pem"
for package in "${packages[@]}"; do
  [[ $package == *machine* ]] && scope=machine || scope=user
  python3 "$(dirname "$(realpath "$0")")/package_check.py" "$work/pem/$package" \
    --language "${package%%/*}" --scope "$scope" --version "$WD_VERSION" ||
    fail "$package is no longer a correct package once signed"
done

# 3. A PKCS#12 file with a password.
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:ward7 \
  -out "$work/signing.p12" 2>/dev/null || fail "no PKCS#12 file"
WD_SIGN_PKCS12=$work/signing.p12 WD_SIGN_PASSWORD=ward7 "$make_release" "$build" "$work/p12" \
  >/dev/null || fail "signing with a PKCS#12 file failed"
expect_signed "$work/p12"

# 4. A program changed after signing fails verification.
cp "$work/pem/Setup.exe" "$work/changed.exe"
printf 'X' | dd of="$work/changed.exe" bs=1 seek=4096 conv=notrunc 2>/dev/null
verify "$work/changed.exe" && fail "a changed Setup.exe still verifies"

# 5. Half a certificate is an error, not an unsigned release.
WD_SIGN_CERT=$work/cert.pem "$make_release" "$build" "$work/half" >/dev/null 2>&1 &&
  fail "a certificate without its key made a release"
echo "PASS"
