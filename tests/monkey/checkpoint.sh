# Monkey checkpoint: copies the board through the "clipbrd" command and checks
# that the text holds exactly the digits the screen shows, puzzle digits as
# puzzle digits. An empty board is not copied ("clipbrd" would paste then).
#
# Usage: bash checkpoint.sh N DIGITS KINDS
#   DIGITS: 81 digits read from the screen in reading order, 0 for empty
#   KINDS:  81 letters, g given, f filled, e entered, - empty
# Needs DISPLAY and E2E_WX, E2E_WY, E2E_TMP from run_monkey.sh.
n=$1 digits=$2 kinds=$3
log="$E2E_TMP/checkpoints.log"
if [ "$digits" = "$(printf '0%.0s' $(seq 81))" ]; then
    echo "$n empty board, not copied" >>"$log"
    exit 0
fi
# Take the clipboard away first, so that an old text cannot pass for the copy.
# "clipbrd" latches down until its pause is over, and Escape ends the pause
# early, leaving it down: a click on a down button does nothing. Pressing
# "enter puzzle" (same group, digits untouched) releases it.
bar_x() { echo $((E2E_WX + 10 + $1 * 110 + 52)); }
clip_y=$((E2E_WY + 40))
face() {
    import -window root -crop 1x1+$((E2E_WX + 10 + 2 * 110 + 8))+$clip_y +repage \
        -depth 8 -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info: 2>/dev/null
}
if [ "$(face)" = "208 255 208" ]; then
    xdotool mousemove --sync "$(bar_x 4)" "$clip_y" click 1
    sleep 0.3
fi
placeholder="monkey checkpoint $n"
printf '%s' "$placeholder" | timeout 5 xclip -selection clipboard -i
xdotool mousemove --sync "$(bar_x 2)" "$clip_y" click 1
for _ in $(seq 30); do
    sleep 0.1
    text=$(timeout 5 xclip -selection clipboard -o 2>/dev/null | tr -d '\r')
    [ "$text" != "$placeholder" ] && break
done
# The grid: nine lines of nine three-character cells, "[d]" a puzzle digit,
# " d " another digit, " x " an empty field.
cells=$(printf '%s\n' "$text" | awk 'length($0) == 27' | fold -w3)
copied_digits="" copied_kinds=""
while IFS= read -r cell; do
    case $cell in
        \[[1-9]\]) copied_digits+=${cell:1:1}; copied_kinds+=g ;;
        " "[1-9]" ") copied_digits+=${cell:1:1}; copied_kinds+=o ;;
        " x ") copied_digits+=0; copied_kinds+=- ;;
        *) copied_digits+="?"; copied_kinds+="?" ;;
    esac
done <<<"$cells"
# Filled and entered digits are both "other" digits in the text.
screen_kinds=$(printf '%s' "$kinds" | tr 'fe' 'oo')
echo "$n screen $digits $kinds copied $copied_digits $copied_kinds" >>"$log"
if [ "$copied_digits" != "$digits" ] || [ "$copied_kinds" != "$screen_kinds" ]; then
    {
        echo "checkpoint $n: the copied board differs from the screen"
        echo "  screen digits: $digits"
        echo "  copied digits: $copied_digits"
        echo "  screen kinds:  $screen_kinds"
        echo "  copied kinds:  $copied_kinds"
        echo "  clipboard text:"; printf '%s\n' "$text" | sed 's/^/    /'
    } >&2
    exit 1
fi
exit 0
