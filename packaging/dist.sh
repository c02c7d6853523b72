# Sourced by scripts/package.sh and the installer test: makes the portable zips and the
# installers from built harfpad.exe files. Needs makensis (Debian: nsis) and python3.

packaging_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The version a build tree's program carries, as CMake configured it into the exe's resources.
harfpad_build_version() {  # harfpad_build_version BUILDDIR
    sed -n 's/^#define HARFPAD_VERSION_TEXT "\(.*\)"$/\1/p' "$1/src/generated/BuildConfig.h"
}

# A portable zip: the exe and the README as Windows text.
harfpad_zip() {  # harfpad_zip EXE OUTFILE
    python3 - "$1" "$packaging_dir/../README.md" "$2" <<'EOF'
import sys, zipfile
exe, readme, out = sys.argv[1:]
with open(readme, encoding="utf-8") as f:
    text = f.read().replace("\r\n", "\n").replace("\n", "\r\n")
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
    z.write(exe, "harfpad.exe")
    z.writestr("README.txt", text.encode("utf-8"))
EOF
}

harfpad_setup() {  # harfpad_setup NSISTARGET EXE VERSION OUTFILE
    local exe out
    exe=$(realpath "$2")
    out=$(realpath -m "$4")
    makensis -V2 -WX -DTARGET="$1" -DEXE="$exe" -DVERSION="$3" \
        -DICON="$packaging_dir/../res/harfpad.ico" -DOUTFILE="$out" "$packaging_dir/harfpad.nsi"
}

# All four downloads of one version into OUTDIR.
harfpad_dist() {  # harfpad_dist OUTDIR VERSION WIN64EXE WIN32EXE
    local out=$1 version=$2
    mkdir -p "$out"
    harfpad_zip "$3" "$out/harfpad-$version-win64.zip" &&
        harfpad_zip "$4" "$out/harfpad-$version-win32.zip" &&
        harfpad_setup amd64-unicode "$3" "$version" "$out/harfpad-$version-win64-setup.exe" &&
        harfpad_setup x86-unicode "$4" "$version" "$out/harfpad-$version-win32-setup.exe"
}
