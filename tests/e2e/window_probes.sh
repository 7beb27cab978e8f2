# Shared by the end-to-end scripts (sourced): waiting, the game's window and its pixels. Uses
# the caller's $scratch folder, and sets and reads $window, $width and $height.

# Waits up to $1 seconds for the command that follows to succeed.
wait_for() {
    local deadline=$((SECONDS + $1)); shift
    until "$@"; do ((SECONDS < deadline)) || return 1; sleep 0.1; done
}
window_up() { window=$(xdotool search --name '^Vestrune$' 2>/dev/null | head -1); [ -n "$window" ]; }
ended() { ! kill -0 "$game" 2>/dev/null; }
# True when the window shows at least 20 pixels matching the srgb pattern $1 in the
# virtual-screen box $2 $3 $4 $5.
shows() {
    local x=$(($2 * width / 800)) y=$(($3 * height / 600))
    local w=$((($4 - $2) * width / 800)) h=$((($5 - $3) * height / 600))
    import -window "$window" "$scratch/probe.png" 2>/dev/null || return 1
    [ "$(convert "$scratch/probe.png" -crop "${w}x${h}+${x}+${y}" -depth 8 txt:- | grep -cE "srgb\\($1\\)")" -ge 20 ]
}
