# Sourced by the scripts that run suites: scratch_home FOLDER points HOME and the XDG folders
# into FOLDER, so that nothing a suite does lands in the real home folder.
scratch_home() {
  local base=$1
  mkdir -p "$base/home" "$base/runtime"
  chmod 700 "$base/runtime"
  export HOME="$base/home" XDG_RUNTIME_DIR="$base/runtime"
  export XDG_CONFIG_HOME="$base/home/.config" XDG_DATA_HOME="$base/home/.local/share" XDG_CACHE_HOME="$base/home/.cache"
}
