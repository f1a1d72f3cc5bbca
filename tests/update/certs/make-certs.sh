#!/bin/sh
# Makes the certificates of the update tests' local HTTPS server: a test authority that
# only the tests trust, a server certificate for 127.0.0.1 and one for another host name.
# Valid for a century, so the committed files need no renewal.
set -eu
cd "$(dirname "$0")"
days=36500
openssl req -x509 -newkey rsa:2048 -nodes -days $days -subj "/CN=DedadedEraro test authority" \
    -keyout authority.key -out authority.pem
make_server() {
    name=$1 san=$2
    openssl req -newkey rsa:2048 -nodes -subj "/CN=$name" -keyout "$name.key" -out "$name.csr"
    printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' "$san" \
        > "$name.ext"
    openssl x509 -req -in "$name.csr" -CA authority.pem -CAkey authority.key -CAcreateserial \
        -days $days -extfile "$name.ext" -out "$name.pem"
    rm -f "$name.csr" "$name.ext"
}
make_server localhost-server "IP:127.0.0.1"
make_server other-server "DNS:other.example"
rm -f authority.key authority.srl
