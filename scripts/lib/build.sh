# Building DiscPilot: sourced by the scripts in scripts/ after they set $root.

# build_project PRESET BUILD_DIR [TARGET...]: installs what is missing, configures BUILD_DIR with
# the CMake preset and builds the targets (every target when none is named).
build_project() {
    local preset="$1" dir="$2"
    shift 2
    bash "$root/scripts/setup.sh"
    cmake --preset "$preset" -S "$root" -B "$dir" >/dev/null
    local targets=()
    (($#)) && targets=(--target "$@")
    cmake --build "$dir" -j2 "${targets[@]}"
}
