# Sourced by the scripts that cross-build a library for Windows from Debian's own source package.
#   debian_source_unpack <source package> <Debian version> <folder>
# leaves the unpacked source tree in <folder>/src. `apt-get source` needs dpkg-dev and a deb-src
# line; the line added uses the machine's own mirror.
debian_source_unpack() {
  local package=$1 version=$2 work=$3
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  if ! dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q "install ok installed"; then
    $sudo apt-get install -y --no-install-recommends dpkg-dev >&2
  fi
  if ! grep -rqs -e '^deb-src' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    local mirror codename keyring options=""
    mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
      2>/dev/null | awk '$1 == "URIs:" || $1 == "deb" { for (i = 2; i <= NF; ++i)
        if ($i ~ /^https?:.*\/debian\/?$/) { print $i; exit } }' || true)
    mirror=${mirror:-http://deb.debian.org/debian}
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    # apt refuses one mirror with two keyrings: the line names the keyring the mirror has already.
    keyring=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
      awk '$1 == "Signed-By:" { print $2; exit }' || true)
    if [ -n "$keyring" ]; then options="[signed-by=$keyring] "; fi
    echo "deb-src $options$mirror $codename main" | $sudo tee /etc/apt/sources.list.d/kestro-src.list >&2
    $sudo apt-get update >&2
  fi
  rm -rf "$work"
  mkdir -p "$work"
  (cd "$work" && { apt-get source --download-only "$package=$version" >&2 ||
    apt-get source --download-only "$package" >&2; })
  local dsc
  dsc=$(ls "$work/${package}"_*.dsc | head -n1)
  dpkg-source --no-check -x "$dsc" "$work/src" >&2
}

# The Debian version of an installed package, installing it first when it is missing
# ("0.27.6-1"; the upstream version is what comes before the last "-", after any "N:" epoch).
debian_installed_version() {
  local package=$1 version
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  version=$(dpkg-query -W -f='${Version}' "$package" 2>/dev/null || true)
  if [ -z "$version" ]; then
    $sudo apt-get update >&2
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "$package" >&2
    version=$(dpkg-query -W -f='${Version}' "$package")
  fi
  echo "$version"
}
