#!/bin/sh
# Checks the built help file: check_help_file.sh QUILLON.CHM HELP_SOURCE_DIR
# - it is a compiled help file (ITSF) of a plausible size;
# - every topic the program's help must cover has its page, with a title, in the
#   table of contents and inside the help file (a CHM's directory holds the
#   file names uncompressed);
# - every picture a page shows, and every page a page or the index links to,
#   exists and is inside the help file.
chm=$1
src=$2
fail=0
problem() {
  echo "check_help_file: $*" >&2
  fail=1
}

[ -f "$chm" ] || { echo "check_help_file: $chm was not built" >&2; exit 1; }
[ "$(head -c 4 "$chm")" = ITSF ] || problem "$chm is not a compiled help file"
[ "$(wc -c <"$chm")" -ge 20000 ] || problem "$chm is too small to hold the pages"

in_chm() { grep -q -a -F "$1" "$chm"; }

# PAGE                TOPIC
while read -r page topic; do
  [ -n "$page" ] || continue
  file="$src/html/$page"
  if [ ! -f "$file" ]; then
    problem "no page on $topic ($page)"
    continue
  fi
  grep -q -i '<title>[^<][^<]*</title>' "$file" || problem "$page has no title"
  grep -q -F "\"html/$page\"" "$src/Quillon.hhc" || problem "$page is not in the table of contents"
  in_chm "/html/$page" || problem "$page is not inside $chm"
done <<EOF
welcome.htm           the welcome page
adding_games.htm      adding games
running_games.htm     running games
setting_up_games.htm  setting up games
importing_games.htm   importing games
import_library.htm    importing other launchers' libraries
finding_games.htm     finding games
dosbox.htm            DOS games in DOSBox
vdmsound.htm          VDMSound
slowdown.htm          the CPU slow-down
main_window.htm       the main window
menus.htm             the menu commands and keys
details_bar.htm       the details bar
add_game.htm          the add-game dialog
game_settings.htm     the game settings dialog
command_line.htm      the command line setup dialog
text_input.htm        the text input dialog
comment.htm           the comment dialog
manage_entries.htm    the manage entries dialog
preferences.htm       the preferences dialog
error_locating.htm    the error-locating dialog
import_loader_ini.htm the Loader.ini import dialog
add_ini_style.htm     the INI-style add dialog
game_search.htm       the game search dialog
vdmsound_settings.htm the VDMSound settings dialog
about.htm             the About box
game_file.htm         the game file
EOF

for file in "$src"/html/*.htm; do
  page=$(basename "$file")
  for image in $(grep -o 'src="\.\./images/[^"]*"' "$file" | sed 's/^src="\.\.\///; s/"$//'); do
    [ -f "$src/$image" ] || problem "$page shows $image, which is missing"
    in_chm "/$image" || problem "$page shows $image, which is not inside $chm"
  done
  for link in $(grep -o 'href="[^":#]*\.htm' "$file" | sed 's/^href="//'); do
    [ -f "$src/html/$link" ] || problem "$page links to $link, which is missing"
  done
done
for link in $(grep -o 'value="html/[^"]*"' "$src/Quillon.hhk" | sed 's/^value="//; s/"$//' | sort -u); do
  [ -f "$src/$link" ] || problem "the index points to $link, which is missing"
  in_chm "/$link" || problem "the index points to $link, which is not inside $chm"
done
exit $fail
