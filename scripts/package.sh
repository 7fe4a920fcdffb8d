#!/bin/sh
# Builds the Debian package of the game from its CMake install and prints the package's path
# as the last line. The game goes to /usr/games, its data to /usr/share/games/lornhaven; the
# dependencies are found by dpkg-shlibdeps from the libraries the program really links.
# Usage: ./scripts/package.sh [BUILD_DIR]   (default build-deb/, where the .deb is written)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-deb}
mkdir -p "$build"
build=$(cd "$build" && pwd)
"$root/scripts/install-deps.sh" >&2

# Debian's own compiler and linker flags (hardening included); only the game, its media and
# the icons are needed, so the tests and benchmarks are left out. SDL opens libGL.so.1 by
# itself at run time; linking the game against it (rather than GLVND's libOpenGL) lets
# dpkg-shlibdeps see that the package needs it.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS CFLAGS LDFLAGS
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DLORNHAVEN_INSTALL_BINDIR=games -DLORNHAVEN_INSTALL_GAMEDIR=lib/games/lornhaven \
    -DLORNHAVEN_INSTALL_DATADIR=share/games/lornhaven \
    -DOpenGL_GL_PREFERENCE=LEGACY -DLORNHAVEN_TESTS=OFF -DLORNHAVEN_BENCH=OFF -DLORNHAVEN_SANITIZE=OFF >&2
cmake --build "$build" -j2 --target lornhaven media icons >&2

stage="$build/deb-root"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" >&2
# Stripped as Debian's own packages are, the compiler's notes included.
strip --remove-section=.comment --remove-section=.note "$stage/usr/lib/games/lornhaven/lornhaven"
doc="$stage/usr/share/doc/lornhaven"
mkdir -p "$doc"
cp "$root/packaging/debian/copyright" "$doc/copyright"
gzip -9n -c "$root/packaging/debian/changelog" > "$doc/changelog.gz"
gzip -9n "$stage/usr/share/man/man6/lornhaven.6"
chmod -R u=rwX,go=rX "$stage"

# The package's version is the game's; the changelog must have an entry for it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
logged=$(dpkg-parsechangelog -l "$root/packaging/debian/changelog" -S Version)
if [ "$version" != "$logged" ]; then
    echo "package.sh: the game is version $version but packaging/debian/changelog starts with $logged" >&2
    exit 1
fi

# dpkg-shlibdeps and dpkg-gencontrol work in a source-like folder with debian/control.
work="$build/deb-work"
rm -rf "$work"
mkdir -p "$work/debian"
cp "$root/packaging/debian/control" "$root/packaging/debian/changelog" "$work/debian/"
mkdir -p "$stage/DEBIAN"
(
    cd "$work"
    # A private SDL put first for a test run must not decide the dependencies.
    unset LD_LIBRARY_PATH
    dpkg-shlibdeps -Tdebian/substvars -e"$stage/usr/lib/games/lornhaven/lornhaven"
    dpkg-gencontrol -plornhaven -v"$version" -Tdebian/substvars -fdebian/files -P"$stage"
) >&2
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

arch=$(dpkg --print-architecture)
deb="$build/lornhaven_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >&2
echo "$deb"
