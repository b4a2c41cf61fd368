# shellcheck shell=bash
# Debian package helpers, sourced by scripts/setup and scripts/i386-image. They run apt-get as
# the caller is (root), wait for another apt to let go of its lock, and retry what a mirror
# caught mid-sync breaks.
#   apt_missing PKG...   prints the packages that are not installed, one a line
#   apt_update           apt-get update, up to three tries; then carries on with the lists it has
#   apt_install PKG...   installs without recommends; on failure tries again in the ways below
#   apt_archive SUITE    prints the URI of this machine's archive for SUITE, as its apt sources
#                        name it; fails with a message naming the files to check when none does

APT=(apt-get -y -q -o DPkg::Lock::Timeout=600)
export DEBIAN_FRONTEND=noninteractive

apt_log() { printf '[%s] %s\n' "${APT_LOG_NAME:-apt}" "$*" >&2; }

apt_missing() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

apt_update() {
    local try
    for try in 1 2 3; do
        apt_log "apt-get update (try $try)"
        "${APT[@]}" update && return 0
        # A mirror caught mid-sync can fail one index (seen with the i386 security index).
        [ "$try" -eq 3 ] || sleep 5
    done
    apt_log "WARNING: apt-get update reported errors; continuing with the lists fetched"
}

apt_install() {
    apt_log "installing: $*"
    "${APT[@]}" install --no-install-recommends "$@" && return 0
    # Multi-Arch: same libraries need identical versions on amd64 and i386. When the i386
    # security index could not be fetched, amd64 candidates come from bookworm-security while
    # i386 only has bookworm's, and the resolver gives up; the release's versions agree.
    apt_log "install failed; retrying with -t bookworm (matching amd64/i386 versions)"
    "${APT[@]}" -t bookworm install --no-install-recommends "$@" && return 0
    dpkg --print-foreign-architectures | grep -qx i386 || return 1
    # i386 copies installed earlier from an older index can pin a library at a version the
    # amd64 side no longer has; upgrading both sides together from fresh lists realigns them.
    apt_log "install failed again; upgrading installed i386 libraries, then retrying"
    apt_update
    local i386
    mapfile -t i386 < <(dpkg-query -W -f='${Package}:${Architecture}\n' | grep ':i386$')
    ((${#i386[@]} == 0)) || "${APT[@]}" install --only-upgrade "${i386[@]}" || true
    "${APT[@]}" install --no-install-recommends "$@"
}

# The first archive of binary packages ("deb") for the suite, in the order apt reads its
# sources: sources.list, then sources.list.d/*.list and *.sources (deb822 stanzas).
APT_ARCHIVE_AWK='
function has(list, word,   n, a, i) {
    n = split(list, a, /[ \t]+/)
    for (i = 1; i <= n; i++) if (a[i] == word) return 1
    return 0
}
function found(uri) { print uri; done = 1; exit }
function stanza(   u) {
    if (has(types, "deb") && has(suites, suite) && enabled != "no" && split(uris, u, /[ \t]+/)) found(u[1])
    types = suites = uris = enabled = ""
}
FNR == 1 { stanza() }
/^[ \t]*#/ { next }
FILENAME ~ /\.sources$/ && /^[ \t]*$/ { stanza(); next }
FILENAME ~ /\.sources$/ && match($0, /^[A-Za-z-]+:/) {
    key = tolower(substr($0, 1, RLENGTH - 1))
    value = substr($0, RLENGTH + 1)
    sub(/^[ \t]+/, "", value)
    if (key == "types") types = value
    else if (key == "suites") suites = value
    else if (key == "uris") uris = value
    else if (key == "enabled") enabled = tolower(value)
    next
}
FILENAME !~ /\.sources$/ && $1 == "deb" {
    line = $0
    sub(/^[ \t]*deb[ \t]+/, "", line)
    sub(/^\[[^]]*\][ \t]*/, "", line)
    split(line, f, /[ \t]+/)
    if (f[2] == suite) found(f[1])
}
END { if (!done) stanza() }
'

apt_archive() {
    local suite=$1 dir=/etc/apt/sources.list.d uri f files=()
    for f in /etc/apt/sources.list "$dir"/*.list "$dir"/*.sources; do
        [ -f "$f" ] && files+=("$f")
    done
    uri=""
    ((${#files[@]} == 0)) || uri=$(awk -v suite="$suite" "$APT_ARCHIVE_AWK" "${files[@]}")
    if [ -z "$uri" ]; then
        apt_log "no archive of Debian $suite in this machine's apt sources: check $dir/debian.sources" \
            "(or /etc/apt/sources.list) for a \"deb\" entry of suite $suite"
        return 1
    fi
    printf '%s\n' "${uri%/}"
}
