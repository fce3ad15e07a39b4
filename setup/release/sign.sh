#!/usr/bin/env bash
# Sourced: Authenticode signing with osslsigncode, for programs (.exe, .dll) and packages (.msi).
# The certificate comes from the environment, either
#   WD_SIGN_CERT (PEM or DER certificate chain) and WD_SIGN_KEY (its private key), or
#   WD_SIGN_PKCS12 (a .pfx/.p12 file) and WD_SIGN_PASSWORD (its password, may be empty);
# WD_SIGN_TIMESTAMP (a time-stamping server's URL) adds a time stamp, so the signature stays
# valid after the certificate expires.

# True when a certificate was given; fails with the reason when one was given incompletely.
signing_requested() {
  if [[ -n ${WD_SIGN_PKCS12:-} ]]; then
    [[ -f $WD_SIGN_PKCS12 ]] || { echo "sign: no file $WD_SIGN_PKCS12" >&2; exit 1; }
    return 0
  fi
  [[ -z ${WD_SIGN_CERT:-}${WD_SIGN_KEY:-} ]] && return 1
  [[ -f ${WD_SIGN_CERT:-} && -f ${WD_SIGN_KEY:-} ]] ||
    { echo "sign: WD_SIGN_CERT and WD_SIGN_KEY must both name files" >&2; exit 1; }
}

sign_file() {  # FILE: signed in place
  local credentials=() timestamp=()
  if [[ -n ${WD_SIGN_PKCS12:-} ]]; then
    credentials=(-pkcs12 "$WD_SIGN_PKCS12" -pass "${WD_SIGN_PASSWORD:-}")
  else
    credentials=(-certs "$WD_SIGN_CERT" -key "$WD_SIGN_KEY")
  fi
  [[ -n ${WD_SIGN_TIMESTAMP:-} ]] && timestamp=(-ts "$WD_SIGN_TIMESTAMP")
  osslsigncode sign "${credentials[@]}" "${timestamp[@]}" -h sha256 -n "Pulsora Pro" \
    -in "$1" -out "$1.signed" >/dev/null || { echo "sign: signing $1 failed" >&2; exit 1; }
  mv "$1.signed" "$1"
}
