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

# Configures a build folder once (its log in DIR/configure.log): mirte_configure DIR [options...]
mirte_configure() {
    local dir="$1"
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        mkdir -p "$dir"
        cmake -S "$MIRTE_ROOT" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 || {
            cat "$dir/configure.log" >&2
            return 1
        }
    fi
}

# Configures (once) and builds one build folder: mirte_build DIR [cmake options...]
mirte_build() {
    mirte_configure "$@" && cmake --build "$1" -j2
}
