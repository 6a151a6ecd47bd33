#!/usr/bin/env bash
# Runs the real tabrinex under each desktop theme that this Debian release
# offers through Qt's platform theme plugins, measures every text of every
# window from screenshots and checks that each stays readable: 4.5:1, or its
# contrast in the default theme where that is lower. Each theme must also be
# seen to load: the palette it gives a Qt program must differ from the
# default one. Everything runs on a display, a session bus, a runtime folder
# and a settings folder of its own, stopped by the process ids started here.
#
#   scripts/theme-test.sh    (builds tabrinex first when it is missing)
# Screenshots and figures stay in build/theme-runs/THEME/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$KELVARO_ROOT/scripts/session.sh"

# shellcheck disable=SC1091
release=$(. /etc/os-release && echo "${VERSION_ID%%.*}")
packages=(python3-pyatspi python3-xlib at-spi2-core dbus-daemon xvfb xdotool qt6-gtk-platformtheme qt6ct gnome-themes-extra)
themes=(default adwaita-dark qt6ct-darker qt6ct-dusk)
# Qt 6.4's GTK plugin does not apply GTK's high-contrast themes, and Debian 12
# has no Plasma platform theme for Qt 6.
if [ "$release" -ge 13 ]; then
  packages+=(plasma-integration kde-style-breeze breeze)
  themes+=(gtk-high-contrast gtk-high-contrast-inverse breeze-dark)
fi
kelvaro_install_packages "${packages[@]}"
program=$KELVARO_BUILD/shell/tabrinex
probe=$KELVARO_BUILD/tests/desktop/palette_probe
if [ ! -x "$program" ] || [ ! -x "$probe" ]; then
  cmake -S "$KELVARO_ROOT" -B "$KELVARO_BUILD" -G Ninja >/dev/null
  cmake --build "$KELVARO_BUILD" --target tabrinex palette_probe
fi
SECONDS=0

runs=$KELVARO_BUILD/theme-runs
rm -rf "$runs"
mkdir -p "$runs"
# Room for every window side by side.
session_start_display 1920x1080
work=$session_work
session_start_bus
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
export SDL_AUDIODRIVER=dummy QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE GTK_THEME
tabrinex_pid=

stop_all() {
  local pid
  [ -n "$tabrinex_pid" ] && kill "$tabrinex_pid" 2>/dev/null
  # What our session bus started for us: the accessibility bus and registry.
  if [ -n "${session_bus_pid:-}" ]; then
    for pid in $(pgrep -P "$session_bus_pid" || true); do kill "$pid" 2>/dev/null || true; done
  fi
  session_stop_display
}
trap stop_all EXIT

# The environment and settings of a theme, in a settings folder of its own.
theme_settings() {
  local theme=$1 config=$work/config-$1
  rm -rf "$config"
  mkdir -p "$config"
  env=(XDG_CONFIG_HOME="$config")
  case $theme in
    default) ;;
    adwaita-dark) env+=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark NO_AT_BRIDGE=1) ;;
    gtk-high-contrast) env+=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=HighContrast NO_AT_BRIDGE=1) ;;
    gtk-high-contrast-inverse) env+=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=HighContrastInverse NO_AT_BRIDGE=1) ;;
    qt6ct-*)
      mkdir -p "$config/qt6ct"
      printf '[Appearance]\ncustom_palette=true\ncolor_scheme_path=/usr/share/qt6ct/colors/%s.conf\nstyle=Fusion\n' \
        "${theme#qt6ct-}" >"$config/qt6ct/qt6ct.conf"
      env+=(QT_QPA_PLATFORMTHEME=qt6ct)
      ;;
    breeze-dark)
      # A Plasma session keeps its colour scheme's colours in kdeglobals.
      { printf '[General]\nColorScheme=BreezeDark\n\n[KDE]\nwidgetStyle=Breeze\n\n'
        grep -v '^\[General\]\|^ColorScheme\|^Name' /usr/share/color-schemes/BreezeDark.colors; } >"$config/kdeglobals"
      env+=(QT_QPA_PLATFORMTHEME=kde)
      ;;
  esac
}

failures=0
for theme in "${themes[@]}"; do
  theme_settings "$theme"
  out=$runs/$theme
  mkdir -p "$out"
  started=$SECONDS
  env "${env[@]}" "$probe" >"$out/palette.txt" 2>"$out/palette.log"
  echo "== $theme: $(head -n 1 "$out/palette.txt"), $(grep '^Window ' "$out/palette.txt" | cut -d' ' -f1,2)," \
    "$(grep '^WindowText ' "$out/palette.txt" | cut -d' ' -f1,2)"
  # The colours, not the style's name: a theme that loaded changes them.
  if [ "$theme" != default ] && cmp -s <(tail -n +2 "$runs/default/palette.txt") <(tail -n +2 "$out/palette.txt"); then
    echo "  FAIL the theme did not load: Qt's palette is the default one"
    failures=$((failures + 1))
    continue
  fi
  env "${env[@]}" "$program" >"$out/tabrinex.log" 2>&1 &
  tabrinex_pid=$!
  if ! env "${env[@]}" /usr/bin/python3 "$KELVARO_ROOT/tests/desktop/theme_probe.py" measure "$out/texts.json" "$out" \
    >"$out/probe.log" 2>&1; then
    echo "  FAIL the windows could not be measured:"
    tail -n 5 "$out/probe.log"
    failures=$((failures + 1))
  elif [ "$theme" != default ]; then
    /usr/bin/python3 "$KELVARO_ROOT/tests/desktop/theme_probe.py" compare "$runs/default/texts.json" \
      "$out/texts.json" || failures=$((failures + 1))
  else
    /usr/bin/python3 "$KELVARO_ROOT/tests/desktop/theme_probe.py" compare "$out/texts.json" "$out/texts.json" || true
  fi
  kill "$tabrinex_pid" 2>/dev/null || true
  wait "$tabrinex_pid" 2>/dev/null || true
  tabrinex_pid=
  echo "  $((SECONDS - started)) s; screenshots in $out"
done

echo "theme check on Debian $release: ${#themes[@]} themes, $failures failed, ${SECONDS} s"
[ "$failures" -eq 0 ]
