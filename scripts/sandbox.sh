#!/usr/bin/env bash
# Makes a throwaway Windows profile: HOME, XDG_* and WINEPREFIX under one temp folder, no z: drive,
# code page 949 and Hangul font substitutes. Prints the environment to `eval`:
#   eval "$(scripts/sandbox.sh [DIR])"
# Cleaning code must only ever run inside such a prefix, never in ~/.wine.
set -euo pipefail

root="${1:-$(mktemp -d /tmp/vantrel-sandbox.XXXXXX)}"
mkdir -p "$root"
root="$(cd "$root" && pwd)"

env_lines() {
  cat <<ENV
export VANTREL_SANDBOX='$root'
export HOME='$root/home'
export XDG_CONFIG_HOME='$root/home/.config'
export XDG_DATA_HOME='$root/home/.local/share'
export XDG_CACHE_HOME='$root/home/.cache'
export XDG_STATE_HOME='$root/home/.local/state'
export XDG_RUNTIME_DIR='$root/run'
export WINEPREFIX='$root/prefix'
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
export LC_ALL=ko_KR.UTF-8
ENV
}

eval "$(env_lines)"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

if [ ! -f "$root/.vantrel-sandbox" ]; then
  wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # Without z: nothing in the prefix can reach the host's file system.
  rm -f "$WINEPREFIX/dosdevices/z:"
  # Wine links Documents, Desktop... to $HOME; a real profile has plain folders there.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
  done
  cat > "$root/fonts.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Gulim"="NanumGothic"
"굴림"="NanumGothic"
"MS Shell Dlg"="NanumGothic"
"MS Shell Dlg 2"="NanumGothic"
"Tahoma"="NanumGothic"
"Dotum"="NanumGothic"
"돋움"="NanumGothic"
REG
  iconv -f UTF-8 -t CP949 "$root/fonts.reg" > "$root/fonts-cp949.reg"
  wine regedit /s "$(winepath -w "$root/fonts-cp949.reg" 2>/dev/null || echo "$root/fonts-cp949.reg")" >/dev/null 2>&1 || true
  wineserver -w
  touch "$root/.vantrel-sandbox"
fi

# Wine draws caption buttons and other frame symbols in Marlett. This Wine looks for its own
# fonts in /usr/share/fonts, not where fonts-wine puts them, so without a copy in the prefix the
# buttons show the letters "0 1 r". Checked on every call: sandboxes made earlier get it too.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f "$fonts/marlett.ttf" ]; then
  if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  else
    echo "sandbox: no /usr/share/wine/fonts/marlett.ttf (fonts-wine); caption buttons will show letters" >&2
  fi
fi

# Windows opens a .REG file with its registry editor, which asks before it imports; Wine's own
# set-up registers no program for them. Once per sandbox, older ones included.
if [ ! -f "$root/.reg-association" ]; then
  cat > "$root/associations.reg" <<'REG'
REGEDIT4

[HKEY_CLASSES_ROOT\.reg]
@="regfile"

[HKEY_CLASSES_ROOT\regfile\shell\open\command]
@="regedit.exe \"%1\""
REG
  wine regedit /s "$(winepath -w "$root/associations.reg" 2>/dev/null || echo "$root/associations.reg")" >/dev/null 2>&1 || true
  wineserver -w
  touch "$root/.reg-association"
fi

env_lines
