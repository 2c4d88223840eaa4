# Shared by the scripts: the repository root, root rights, and the build helpers.

MIRTE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export MIRTE_ROOT

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# ccache keeps the objects of every build folder, so a second run, or a fresh clone anywhere,
# compiles only what changed. Depend mode takes the headers from the compiler's own dependency
# file instead of running the preprocessor once more, so a first build costs no more than without.
MIRTE_LAUNCHER=()
if command -v ccache >/dev/null; then
    MIRTE_LAUNCHER=("-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_BASEDIR=$MIRTE_ROOT;CCACHE_NOHASHDIR=true;CCACHE_DEPEND=true;ccache")
fi

# Configures a build folder once (its log in DIR/configure.log): mirte_configure DIR [options...]
mirte_configure() {
    local dir="$1"
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        mkdir -p "$dir"
        cmake -S "$MIRTE_ROOT" -B "$dir" -G Ninja "${MIRTE_LAUNCHER[@]}" "$@" \
            >"$dir/configure.log" 2>&1 || {
            cat "$dir/configure.log" >&2
            return 1
        }
    fi
}

# Configures (once) and builds one build folder: mirte_build DIR [cmake options...]
mirte_build() {
    mirte_configure "$@" && cmake --build "$1" -j2
}

# The options of the program's build folder, build/, which scripts/run starts, scripts/test tests
# and scripts/package packs: Debian's compiler flags (hardening included), installed under /usr.
# Fills the array MIRTE_MAIN_OPTIONS; needs dpkg-dev, which scripts/setup installs.
mirte_main_options() {
    local cxxflags ldflags
    cxxflags="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)"
    cxxflags+=" $(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)"
    # Debian's -g as -g1 (functions and line tables): CPack strips the package's programs all
    # the same, backtraces keep their lines, and the build takes a fifth less.
    cxxflags="$(sed -E 's/(^| )-g( |$)/\1-g1\2/' <<<"$cxxflags")"
    ldflags="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)"
    MIRTE_MAIN_OPTIONS=(-DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr
        "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
        "-DCMAKE_SHARED_LINKER_FLAGS=$ldflags" "-DCMAKE_MODULE_LINKER_FLAGS=$ldflags")
}

# Configures build/ with those options (again when an older build/ was made with others) and
# builds it.
mirte_build_main() {
    local dir="$MIRTE_ROOT/build"
    mirte_main_options
    if [ -f "$dir/build.ninja" ] &&
        ! grep -qx "CMAKE_INSTALL_PREFIX:PATH=/usr" "$dir/CMakeCache.txt" 2>/dev/null; then
        cmake -S "$MIRTE_ROOT" -B "$dir" "${MIRTE_MAIN_OPTIONS[@]}" >"$dir/configure.log" 2>&1 || {
            cat "$dir/configure.log" >&2
            return 1
        }
    fi
    mirte_build "$dir" "${MIRTE_MAIN_OPTIONS[@]}"
}

# The clang build of the fuzz targets and the core's tests under AddressSanitizer and
# UndefinedBehaviorSanitizer (build-fuzz/, scripts/test and fuzz/run.sh), and that of the render
# workers under ThreadSanitizer (build-tsan/): at -O1 with line tables only, as fuzzers are
# usually built, which compiles a third faster than -O2 -g and still names every frame.
MIRTE_SANITIZER_FLAGS=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=None
    "-DCMAKE_CXX_FLAGS=-O1 -gline-tables-only")
MIRTE_FUZZ_OPTIONS=("${MIRTE_SANITIZER_FLAGS[@]}" -DMIRTE_FUZZ=ON)
MIRTE_TSAN_OPTIONS=("${MIRTE_SANITIZER_FLAGS[@]}" -DMIRTE_THREAD_SANITIZE=ON -DMIRTE_CORE_ONLY=ON)

# Runs lupdate over src/ (or $MIRTE_L10N_SRC) into the translation file $1 (further lupdate options after it): the
# program's texts are Japanese, the file's language English; no source locations, so the file
# changes only when a text does. Quiet unless lupdate has something to say.
mirte_lupdate() {
    local ts="$1" out
    shift
    out="$(/usr/lib/qt6/bin/lupdate -silent -locations none -source-language ja_JP \
        -target-language en "$@" "${MIRTE_L10N_SRC:-$MIRTE_ROOT/src}" -ts "$ts" 2>&1)" || {
        echo "$out" >&2
        return 1
    }
    if [ -n "$out" ]; then
        echo "$out" >&2
    fi
}
