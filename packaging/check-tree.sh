#!/usr/bin/env bash
# Checks an installed tree: check-tree.sh ROOT [PREFIX]. ROOT is what `cmake --install
# --prefix` or `dpkg -x` filled; PREFIX the folder inside it holding bin/ and share/ (empty
# for an install prefix, /usr for a package). Prints each fault; exits 1 if there was any.
set -uo pipefail
root=$1
prefix=${2:-}
top=$root$prefix
app=tr.com.durvex.dedadederaro
faults=0
fault() {
    echo "FAULT: $*" >&2
    faults=$((faults + 1))
}
need() {
    for f in "$@"; do
        [ -e "$top/$f" ] || fault "missing $prefix/$f"
    done
}

need bin/DedadedEraro bin/vovirer share/dedadederaro/Dosya share/man/man1/vovirer.1 \
    share/man/man1/DedadedEraro.1 share/dedadederaro/yardimrotatif share/dedadederaro/yardimexlr \
    share/dedadederaro/Durvex_Rotatif_Kredi_Kullanim.pdf share/dedadederaro/resmi-tatiller.txt \
    share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
    share/mime/packages/$app.xml share/icons/hicolor/scalable/apps/$app.svg \
    lib/dedadederaro/vovirer-pdf.so lib/dedadederaro/vovirer-workbook.so \
    lib/dedadederaro/vovirer-sheets.so
for size in 16 24 32 48 64 128 256; do
    png=share/icons/hicolor/${size}x${size}/apps/$app.png
    need "$png"
    if [ -e "$top/$png" ] && ! file "$top/$png" | grep -q "PNG image data, $size x $size"; then
        fault "$png is not a $size x $size PNG"
    fi
done
for program in DedadedEraro vovirer; do
    [ -x "$top/bin/$program" ] || fault "bin/$program is not executable"
done

desktop-file-validate "$top/share/applications/$app.desktop" || fault "desktop file"
grep -qx 'MimeType=application/x-vovirer-hesaplama;' "$top/share/applications/$app.desktop" ||
    fault "the desktop file does not declare the calculation file type"
appstreamcli validate --no-net "$top/share/metainfo/$app.metainfo.xml" >/dev/null ||
    fault "metainfo: $(appstreamcli validate --no-net "$top/share/metainfo/$app.metainfo.xml")"
xmllint --noout "$top/share/mime/packages/$app.xml" "$top/share/icons/hicolor/scalable/apps/$app.svg" ||
    fault "MIME or icon XML"

# The file type as a desktop sees it: *.fdr maps to our type, with its comment.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mime=$scratch/share/mime
mkdir -p "$mime/packages"
cp "$top/share/mime/packages/$app.xml" "$mime/packages/"
if XDG_DATA_HOME=$scratch/share update-mime-database "$mime" 2>"$scratch/errors" &&
    ! [ -s "$scratch/errors" ]; then
    grep -q ':application/x-vovirer-hesaplama:\*\.fdr$' "$mime/globs2" || fault "*.fdr is not in globs2"
    grep -q '<comment>Vovirer hesaplama dosyası</comment>' "$mime/application/x-vovirer-hesaplama.xml" ||
        fault "the file type has not its comment"
else
    fault "update-mime-database: $(cat "$scratch/errors")"
fi

# The man pages format without warnings; vovirer's names every subcommand and option.
for page in vovirer DedadedEraro; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$top/share/man/man1/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fault "$page.1 warnings: $warnings"
done
manpage="$top/share/man/man1/vovirer.1"
sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$manpage" >"$scratch/man.txt"
for word in recalc find-rate report export preview import --json -o --output --total-interest \
    --apply --wide --company --pdf --mail-layout --value-col --tx-col --desc-col --drawn-col \
    --repaid-col --start --end --value-date-is-tx --settings --date --help --version \
    "EXIT STATUS"; do
    grep -qe "$word" "$scratch/man.txt" || fault "the man page does not name $word"
done
# ... and every option the tool's own usage text names.
usage=$("$top/bin/vovirer" --help 2>&1)
for option in $(grep -oE -- '--[a-z-]+' <<<"$usage" | sort -u); do
    grep -qe "$option" "$scratch/man.txt" || fault "the man page does not name $option of vovirer --help"
done

# One version everywhere: the tool, the metainfo (and so the package, made from the same).
version=$("$top/bin/vovirer" --version 2>&1) || fault "vovirer --version: $version"
release=$(grep -o 'release version="[^"]*"' "$top/share/metainfo/$app.metainfo.xml" | cut -d'"' -f2)
grep -qF " $release" <<<" $version" || fault "vovirer --version says '$version', the metainfo $release"

# The installed tool finds its modules beside its bin folder.
printf '01.02.2026,100\n' >"$scratch/sheet.csv"
read=$("$top/bin/vovirer" preview "$scratch/sheet.csv" 2>&1) || fault "vovirer preview: $read"

exit $((faults > 0))
