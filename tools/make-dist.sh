#!/usr/bin/env bash
# Packs the Windows build into a zip that runs from any folder: Sondrix.exe, sondrix-cli.exe, the
# template library in TMPL\, the user guide and the template language in docs\ (Sondrix.exe also
# holds them, for its help window) and a short readme. Then unpacks it elsewhere and lists the
# library with the packed sondrix-cli.exe, under Wine, and looks for the manifest in the packed
# Sondrix.exe, to show the package is whole.
#   tools/make-dist.sh BUILD_DIR OUT_DIR
set -euo pipefail
build_dir="$(cd "${1:?usage: $0 BUILD_DIR OUT_DIR}" && pwd)"
out_dir="${2:?usage: $0 BUILD_DIR OUT_DIR}"
root="$(cd "$(dirname "$0")/.." && pwd)"
version="1.0.0.26"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

package="$stage/Sondrix-$version"
mkdir -p "$package/TMPL" "$package/docs"
cp "$build_dir/src/Sondrix.exe" "$build_dir/src/cli/sondrix-cli.exe" "$package/"
cp "$build_dir"/TMPL/*.tmpl "$package/TMPL/"
sed 's/$/\r/' "$root/tools/dist-readme.txt" >"$package/readme.txt"
for document in user-guide.md template-language.md; do
    sed 's/$/\r/' "$root/docs/$document" >"$package/docs/$document"
done

mkdir -p "$out_dir"
zip_path="$(cd "$out_dir" && pwd)/Sondrix-$version-win64.zip"
rm -f "$zip_path"
(cd "$stage" && zip -qr "$zip_path" "Sondrix-$version")

check="$stage/check"
mkdir -p "$check"
(cd "$check" && unzip -q "$zip_path")
listed="$(cd "$check/Sondrix-$version" && SONDRIX_WINE_BUILD_DIR="$build_dir" "$root/cmake/wine-run.sh" sondrix-cli.exe templates)"
templates="$(ls "$package"/TMPL/*.tmpl | wc -l)"
valid="$(grep -c ' valid ' <<<"$listed" || true)"
if [ "$valid" -ne "$templates" ]; then
    echo "the packed tool lists $valid valid templates of $templates:"
    echo "$listed"
    exit 1
fi
# Without it the program falls back to the old controls and the system code page.
if ! grep -q 'activeCodePage.*UTF-8' "$check/Sondrix-$version/Sondrix.exe"; then
    echo "the packed Sondrix.exe has no manifest with UTF-8 as its code page"
    exit 1
fi
for document in user-guide.md template-language.md; do
    [ -s "$check/Sondrix-$version/docs/$document" ] || { echo "the package has no docs/$document"; exit 1; }
done
echo "$zip_path ($templates templates)"
