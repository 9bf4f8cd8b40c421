#!/usr/bin/env bash
# Menu updates of Vellinor.exe under Wine, against a real HTTP server on this
# machine: the first run's download, "&Update Now" against every kind of
# answer a server can give (a new menu, the same one, a newer format, a
# refused connection, too few bytes, an error page, no answer at all, more
# than the program reads, a menu without entries, a file with a UTF-8
# byte-order mark), and a check due at start-up with its two prompts.
# Each scenario checks what the user sees (the progress window as it ticks,
# the prompts, the message boxes with their exact texts and icons, the menu
# that the icon opens) and what is stored ("MenuData" byte for byte against
# the maker's tool, "LastQuery", "PromptBeforeConnect"). Screenshots of every
# window are kept among the artifacts.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/wine.sh
. "$here/lib/wine.sh"
# shellcheck source=tests/e2e/lib/desktop.sh
. "$here/lib/desktop.sh"
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"
# shellcheck source=tests/e2e/lib/http_server.sh
. "$here/lib/http_server.sh"

# A zone half an hour off any whole-hour zone, written the POSIX way that the
# program's C library and this script's date read alike: a time shown in the
# wrong zone cannot pass.
export TZ=IST-5:30
program_start_test update

# --- The server ----------------------------------------------------------------

# Menu files are served from the test's own folder; the server's own paths
# give the answers that are not files.
www=$E2E_DIR/www
mkdir -p "$www"
http_server_start "$www" || {
    echo "FAIL: no HTTP server for the program"
    exit 1
}
server=http://127.0.0.1:$HTTP_PORT

# serve NAME: the program fetches its menu from the served copy of NAME.txt.
serve() {
    cp "$E2E_DIR/$1.txt" "$www/$1.txt"
    set_menu_url "$server/$1.txt"
}

# --- Menus ---------------------------------------------------------------------

tab=$'\t'
# The menu stored before most scenarios: two sites, so six items with the
# fixed four.
pack_menu stored 50 'BEGIN Sites' "&Old home${tab}http://example.test/old.htm" \
    "Old &news${tab}http://example.test/old-news.htm" END || exit 1
stored_items=6
# A new menu on the server: four entries with text (a divider between), so
# eight items.
pack_menu fresh 51 'BEGIN Sites' "&New home${tab}http://example.test/new.htm" - \
    'BEGIN &Reference' "Episodes${tab}http://example.test/episodes.htm" END \
    "&Cast${tab}http://example.test/cast.htm" "&Links${tab}http://example.test/links.htm" \
    END || exit 1
fresh_items=8
# The stored menu's number with other entries: loading it would show them.
pack_menu same-number 50 'BEGIN Sites' "&Other${tab}http://example.test/other.htm" \
    "&Second${tab}http://example.test/second.htm" "&Third${tab}http://example.test/third.htm" \
    END || exit 1
# A new menu in a format this version does not read.
sed '1s/.*/2/' "$E2E_DIR/fresh.txt" >"$E2E_DIR/format-2.txt"
# Twenty bytes in six lines: a menu the parser would take (with one byte more
# it is one), refused for its size alone.
printf '1\n2.1.2.5\n10\nB\nEND\n\n' >"$E2E_DIR/twenty-bytes.txt"

# A new number whose sites an editor turned into spaces: no entries at all,
# which the program must not install.
printf '1\n2.1.2.5\n53\nBEGIN Sites\n&Home    http://example.test/home.htm\nEND\n' \
    >"$E2E_DIR/no-entries.txt"
# A new menu saved as UTF-8 with a byte-order mark, one caption not ASCII;
# stored, that caption holds the user's code page's byte for u-umlaut.
{
    printf '\xef\xbb\xbf1\r\n2.1.2.5\r\n52\r\nBEGIN Sites\r\n'
    printf '&B\xc3\xbccher\thttp://example.test/books.htm\r\n'
    printf '&News\thttp://example.test/news.htm\r\nEND\r\n'
} >"$E2E_DIR/marked.txt"
marked_caption_hex=2642FC63686572 # "&Bücher" in code page 1252
marked_items=6 # two sites and the fixed four

# A menu of 70,000 bytes whose first 65,536 end with a whole line, "&Edge".
# The program reads those bytes and no more: "&Late", the line after them,
# never shows, and the end of the lines closes the root, whose END line is
# past them too. A sub-menu of long lines fills the space.
python3 - "$E2E_DIR/long.txt" <<'PYTHON' || exit 1
import sys

LIMIT, SIZE = 65536, 70000
head = b"1\n2.1.2.5\n70\nBEGIN Sites\n&First\thttp://example.test/first.htm\nBEGIN &Filler\n"
edge = b"END\n&Edge\thttp://example.test/edge.htm\n"
tail = b"&Late\thttp://example.test/late.htm\nEND\n"
room = LIMIT - len(head) - len(edge)
# Lines of 200 bytes, and two between 100 and 200 for the rest.
widths = [200] * (room // 200 - 1)
rest = room - sum(widths)
widths += [rest // 2, rest - rest // 2]
filler = b"".join(
    (b"Filler %03d\thttp://example.test/filler/" % number).ljust(width - 1, b"x") + b"\n"
    for number, width in enumerate(widths))
text = head + filler + edge + tail
text += b"".join(b"- past the root's END: %05d\n" % i for i in range(SIZE))[: SIZE - len(text)]
assert len(text) == SIZE and text[LIMIT - 1 : LIMIT] == b"\n" and text[:LIMIT].endswith(edge)
open(sys.argv[1], "wb").write(text)
PYTHON
head -c 65536 "$E2E_DIR/long.txt" >"$E2E_DIR/long-read.txt"
# First, Filler and Edge.
long_read_items=7

# The bytes of NAME.txt as "vellinor-menu pack" stores them, in the hex digits
# that reg query shows.
packed_hex() {
    "$E2E_MENU_TOOL" pack "$E2E_DIR/$1.txt" -o "$E2E_DIR/$1.bin" >/dev/null &&
        od -An -v -tx1 "$E2E_DIR/$1.bin" | tr -d ' \n' | tr a-f A-F
}

# --- What is stored ------------------------------------------------------------

# stored NAME: the value NAME of the settings key as reg query shows it ("0x…"
# for a number, hex digits for bytes); nothing when it is missing.
stored() {
    "$WINE" reg query 'HKCU\Software\Vellinor' /v "$1" </dev/null 2>/dev/null | tr -d '\r' |
        sed -n "s/^    $1    [A-Z_]*    //p"
}

# expect_stored_menu NAME WHAT: "MenuData" holds NAME.txt as the maker's tool
# packs it. A new menu is stored after its message box has closed, so this
# waits a little for it.
expect_stored_menu() {
    local expected actual tries
    expected=$(packed_hex "$1") || {
        fail "$2: vellinor-menu could not pack $E2E_DIR/$1.txt"
        return 1
    }
    for ((tries = 0; tries < 20; tries++)); do
        actual=$(stored MenuData)
        [ "$actual" = "$expected" ] && return 0
        sleep 0.5
    done
    printf '%s\n' "$actual" >"$E2E_ARTIFACTS/$scenario-MenuData.hex"
    printf '%s\n' "$expected" >"$E2E_ARTIFACTS/$scenario-$1-packed.hex"
    fail "$2: \"MenuData\" (${#actual} hex digits) is not $1.txt as vellinor-menu packs it" \
        "(${#expected} hex digits): $E2E_ARTIFACTS/$scenario-{MenuData,$1-packed}.hex"
    return 1
}

# expect_last_query FROM TO WHAT: "LastQuery" lies between FROM and TO (seconds
# since 1970) inclusive.
expect_last_query() {
    local value
    value=$(stored LastQuery)
    if [ -z "$value" ]; then
        fail "$3: no \"LastQuery\" is stored"
    elif (($1 > value || value > $2)); then
        fail "$3: \"LastQuery\" is $((value)), expected $1 to $2"
    fi
}

# --- What the user sees ------------------------------------------------------

# The progress window, dialog 129, as its template gives it.
progress_template=$(printf '%s\n' \
    "1000${tab}Connecting to server${tab}7 7 81 10" \
    "1001${tab}Retreiving data${tab}7 25 64 10" \
    "1002${tab}Closing network connection${tab}7 43 103 10" \
    "1003${tab}Building menu${tab}7 61 60 10" \
    "65535${tab}${tab}88 60 - -")

# expect_layout WHAT CONTROLS TEMPLATE SHOT: the dialog as shown stands as its
# template puts it.
expect_layout() {
    local layout
    if ! layout=$(check_dialog_layout "$2" "$3"); then
        fail "the $1 differs from its template; screen: $4
    ${layout//$'\n'/$'\n'    }"
    fi
}

# progress_ticks CONTROLS SHOT: which steps the progress window shows done,
# read from the picture, since the program reads no messages while it works:
# a box is ticked when dark pixels stand inside its square, and enabled when its
# caption is drawn dark rather than grey. Prints a letter a box: T ticked and
# enabled, E enabled, D disabled, X ticked but grey.
progress_ticks() {
    local id left top width height ticked enabled
    for id in 1000 1001 1002 1003; do
        read -r left top width height < <(awk -F'\t' -v id="$id" '$1 == id { print $3 }' <<<"$1")
        # The square: as high as the box, from its left edge; the caption after it.
        ticked=$(convert "$2" -crop "$((height - 4))x$((height - 4))+$((left + 1))+$((top + 2))" \
            +repage -colorspace gray -threshold 50% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
        enabled=$(convert "$2" -crop "$((width - height))x${height}+$((left + height))+${top}" \
            +repage -colorspace gray -threshold 38% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
        if ((ticked >= 4)); then
            ((enabled >= 20)) && printf T || printf X
        else
            ((enabled >= 20)) && printf E || printf D
        fi
    done
}

# follow_update NAME [SECONDS]: from the moment an update is asked for until a
# dialog other than the progress window shows (a message box), or SECONDS
# (default 60) have passed. Every look at the progress window is a screenshot
# (NAME-progress-N.png; the first four kept, later ones in place of the
# fifth) taken between two reads of the window that find it in place, so that
# the picture is of it. Each look must show the steps in order: the boxes done
# ticked, the next one enabled, the rest disabled; and no look may show fewer
# done than the one before. progress_done then lists the number of steps done
# at each look, and progress_seen_for the seconds from the first look to the
# last.
follow_update() {
    local name=$1 until=$((SECONDS + ${2:-60})) controls='' look place='' pending='' first_seen=''
    local shots=() shot ticks steps
    progress_done=() progress_seen_for=0
    while ((SECONDS < until)); do
        look=$(desktop_helper controls --quiet Vellinor 1) || continue
        grep -q "^1000${tab}" <<<"$look" || break
        if [ -z "$place" ]; then
            controls=$look place=$(head -n1 <<<"$look" | cut -f3) first_seen=$SECONDS
            printf '%s\n' "$controls" >"$E2E_ARTIFACTS/$name-progress-controls.txt"
        fi
        if [ -n "$pending" ] && [ "$(head -n1 <<<"$look" | cut -f3)" = "$place" ]; then
            shot=$E2E_ARTIFACTS/$name-progress-$((${#shots[@]} < 4 ? ${#shots[@]} : 4)).png
            mv "$pending" "$shot"
            shots+=("$shot")
            progress_seen_for=$((SECONDS - first_seen))
        fi
        # A picture taken as the window went may show anything: it waits for
        # the next look to be kept.
        pending=$(desktop_shot "$name-progress-pending")
    done
    [ -n "$pending" ] && rm -f "$pending"
    if ((SECONDS >= until)); then
        fail "the update did not end within ${2:-60} s; screen: $(desktop_shot "$name-stuck")"
        return 1
    fi
    ((${#shots[@]} > 0)) && expect_layout "progress window" "$controls" "$progress_template" "${shots[0]}"
    # Later looks took the place of the fifth picture; only its last look is there to read.
    ((${#shots[@]} > 5)) && shots=("${shots[@]:0:4}" "${shots[-1]}")
    for shot in "${shots[@]}"; do
        ticks=$(progress_ticks "$controls" "$shot")
        steps=${ticks%%[!T]*}
        steps=${#steps}
        # A step ticks its box, which paints at once, before the next box's
        # enabling reaches the screen: a busy machine can catch that moment.
        if [[ ! $ticks =~ ^T*E?D*$ ]]; then
            fail "the progress window shows its steps out of order ($ticks: T ticked," \
                "E enabled, D disabled); screen: $shot"
        elif ((${#progress_done[@]} > 0 && steps < progress_done[-1])); then
            fail "the progress window went back from ${progress_done[-1]} to $steps steps done;" \
                "screen: $shot"
        fi
        progress_done+=("$steps")
    done
    echo "  $name: the progress window was seen for ${progress_seen_for} s, steps done: ${progress_done[*]:-(not seen)}"
}

# expect_menu_items COUNT WHAT NAME: a click on the icon opens a menu of COUNT
# items with text (screenshot SCENARIO-NAME.png), and a click elsewhere
# closes it.
expect_menu_items() {
    local shot items
    open_menu 3 || return 1
    shot=$(desktop_shot "$scenario-$3")
    items=$(menu_item_centers "$menu_place" "$shot" | wc -l)
    [ "$items" -eq "$1" ] || fail "$2: the menu shows $items items, expected $1; screen: $shot"
    desktop_click 300 300 1
    desktop_helper menus 0 "$DESKTOP_WAIT" >/dev/null ||
        fail "$2: a click elsewhere left the menu open; screen: $(desktop_shot "$scenario-still-open")"
}

# update_now TEXT ICON: "&Update Now" from the icon's menu, followed to its
# message box, which says TEXT with ICON and is closed with OK. asked_at and
# answered_at: the times around it.
update_now() {
    open_menu 3 || return 1
    asked_at=$(date +%s)
    choose_from_end 3 || return 1
    follow_update "$scenario" || return 1
    expect_message_box "$1" "$2" || return 1
    answered_at=$(date +%s)
}

# start_stored: the program on the stored menu, with no check due and a last
# query three days back (old_query). The connect prompt is off; the query
# prompt is on, and "&Update Now" must not show it.
start_stored() {
    old_query=$(($(date +%s) - 3 * 86400))
    store_settings --menu stored PromptBeforeCheck=1 PromptBeforeConnect=0 \
        OpenNewBrowserWindow=0 QueryInterval=0 LastQuery="$old_query"
    start_program
    wait_for_icon
}

# The message texts, exactly as the program's string table gives them.
new_menu_text='Found and loaded a new menu.'
no_new_menu_text='The server does not contain any new menu data.'
new_format_text='The data on the server is in a new format not supported by this version of Vellinor. Please go to the Vellinor home page and download the latest version of the application.'
no_connection_text=$'Faild to connect to server.\n\nWill try to use locally saved data.'
read_failed_text=$'Failed to read required data from server. Try again later.\n\nWill try to use locally saved data.'

# --- Scenarios -------------------------------------------------------------

# No settings key: the preferences in their first-run mode, then the setup
# dialog; "&Connect" downloads the menu with no prompt, stores it and shows
# it from the icon.
scenario_first_run() {
    store_settings
    serve fresh
    start_program
    if ! dialog_controls "Vellinor Preferences" >/dev/null; then
        fail "no dialog \"Vellinor Preferences\" at the first run; screen: $(desktop_shot "$scenario-no-preferences")"
        return
    fi
    desktop_shot "$scenario-preferences" >/dev/null
    click_control "Vellinor Preferences" 1 || return
    if ! dialog_controls "Vellinor - Setup" >/dev/null; then
        fail "no dialog \"Vellinor - Setup\" after the preferences; screen: $(desktop_shot "$scenario-no-setup")"
        return
    fi
    desktop_shot "$scenario-setup" >/dev/null
    asked_at=$(date +%s)
    click_control "Vellinor - Setup" 1 || return
    follow_update "$scenario" || return
    ((${#progress_done[@]} > 0)) || fail "the progress window was never seen"
    expect_message_box "$new_menu_text" information || return
    answered_at=$(date +%s)
    expect_stored_menu fresh "the first download"
    expect_last_query "$asked_at" "$answered_at" "the first download"
    wait_for_icon || return
    expect_menu_items "$fresh_items" "after the first download" menu-new
    exit_program
}

# A new menu: message 203, and the new menu replaces the old one in the
# registry and in the icon's menu, whose sites open the new addresses.
scenario_new_menu() {
    serve fresh
    start_stored || return
    expect_menu_items "$stored_items" "before the update" menu-before
    update_now "$new_menu_text" information || return
    ((${#progress_done[@]} > 0)) || fail "the progress window was never seen"
    expect_stored_menu fresh "a new menu"
    expect_last_query "$asked_at" "$answered_at" "a new menu"
    expect_menu_items "$fresh_items" "after a new menu" menu-after
    open_menu 3 && choose 1 &&
        expect_browser_starts "the new menu's first site" "$(browser_line shell http://example.test/new.htm)"
    exit_program
}

# The server's menu has the number of the one held: message 201, the query is
# recorded, and the menu (stored and shown) stays as it was, its commands too.
scenario_same_menu_number() {
    serve same-number
    start_stored || return
    update_now "$no_new_menu_text" information || return
    expect_last_query "$asked_at" "$answered_at" "the same menu number"
    expect_stored_menu stored "the same menu number"
    expect_menu_items "$stored_items" "after the same menu number" menu-after
    open_menu 3 && choose 2 &&
        expect_browser_starts "the held menu's second site" "$(browser_line shell http://example.test/old-news.htm)"
    exit_program
}

# update_fails SERVED TEXT RECORDED: "&Update Now" against SERVED (a name of
# ours or a whole address) ends with message TEXT and the stop icon; the
# query is recorded when RECORDED is "recorded"; the menu stays as it was.
update_fails() {
    case $1 in
    http://*) set_menu_url "$1" ;;
    *) serve "$1" ;;
    esac
    start_stored || return
    update_now "$2" stop || return
    if [ "$3" = recorded ]; then
        expect_last_query "$asked_at" "$answered_at" "$1"
    else
        expect_last_query "$old_query" "$old_query" "$1"
    fi
    expect_stored_menu stored "$1"
    expect_menu_items "$stored_items" "after $1" menu-after
    exit_program
}

scenario_new_format() {
    update_fails format-2 "$new_format_text" recorded || return
    # "Building menu" is never reached.
    ((${#progress_done[@]} == 0 || progress_done[-1] <= 3)) ||
        fail "the progress window showed \"Building menu\" done for a format it cannot read"
}

scenario_closed_port() {
    update_fails "http://127.0.0.1:$HTTP_REFUSED_PORT/sites.txt" "$no_connection_text" kept || return
    # Nothing was reached, so no step is done.
    ((${#progress_done[@]} == 0 || progress_done[-1] == 0)) ||
        fail "the progress window showed ${progress_done[-1]} steps done with no connection"
}

scenario_twenty_bytes() {
    update_fails twenty-bytes "$read_failed_text" kept
}

scenario_error_page() {
    update_fails "$server/status/404" "$read_failed_text" kept
}

# A server that takes the request and never answers: the progress window
# stays, nothing done, until the request's deadline of 30 s; then message 100,
# and the program answers clicks again.
scenario_no_answer() {
    update_fails "$server/silent" "$no_connection_text" kept || return
    ((${#progress_done[@]} > 0)) || fail "the progress window was never seen"
    ((progress_seen_for >= 20)) ||
        fail "the progress window was seen for $progress_seen_for s only, expected it until the deadline of 30 s"
    ((${#progress_done[@]} == 0 || progress_done[-1] == 0)) ||
        fail "the progress window showed ${progress_done[-1]} steps done with no answer"
}

# Checks that time out leave nothing behind for a later one to wait for: two
# that never get an answer and one whose body stops after ten bytes, each
# told as message 100, since a server that stops sending is one that cannot
# be reached; then the same server answers and the new menu installs.
scenario_timed_out_checks_then_an_answer() {
    set_menu_url "$server/silent"
    start_stored || return
    update_now "$no_connection_text" stop || return
    set_menu_url "$server/stall"
    update_now "$no_connection_text" stop || return
    set_menu_url "$server/silent"
    update_now "$no_connection_text" stop || return
    serve fresh
    update_now "$new_menu_text" information || return
    expect_stored_menu fresh "a check after three that timed out"
    expect_menu_items "$fresh_items" "after three checks that timed out" menu-after
    exit_program
}

# A new menu without entries: message 101, no query recorded, and the held
# menu stays, stored and shown.
scenario_no_entries() {
    update_fails no-entries "$read_failed_text" kept || return
    ((${#progress_done[@]} == 0 || progress_done[-1] <= 3)) ||
        fail "the progress window showed \"Building menu\" done for a menu without entries"
}

# A file with a UTF-8 byte-order mark installs, its caption in the code page.
scenario_byte_order_mark() {
    serve marked
    start_stored || return
    update_now "$new_menu_text" information || return
    expect_stored_menu marked "a file with a byte-order mark"
    [[ $(stored MenuData) == *"$marked_caption_hex"* ]] ||
        fail "the stored menu does not hold \"&Bücher\" in code page 1252 ($marked_caption_hex)"
    expect_menu_items "$marked_items" "after a file with a byte-order mark" menu-after
    exit_program
}

# A body of 70,000 bytes: the first 65,536 make the menu.
scenario_long_body() {
    serve long
    start_stored || return
    update_now "$new_menu_text" information || return
    expect_stored_menu long-read "a body of 70,000 bytes"
    expect_menu_items "$long_read_items" "after a body of 70,000 bytes" menu-after
    exit_program
}

# The query prompt, dialog 135, and the connect prompt, dialog 136, as their
# templates give them; the last query's text is added where it is known.
query_template=$(printf '%s\n' \
    "1${tab}&Query${tab}201 7 50 14" \
    "2${tab}&Postpone${tab}201 24 50 14" \
    "65535${tab}${tab}7 7 - -" \
    "65535${tab}It is time to check the Vellinor server for menu changes.${tab}50 7 144 16" \
    "65535${tab}Last Query:${tab}50 31 37 8")
connect_template=$(printf '%s\n' \
    "1${tab}OK${tab}186 7 50 14" \
    "2${tab}Cancel${tab}186 24 50 14" \
    "65535${tab}${tab}7 7 - -" \
    "65535${tab}Please connect your computer to the Internet.${tab}50 7 128 16" \
    "1011${tab}Don't ask again, my computer has a fulltime Internet connection${tab}50 38 128 16")

# start_due: the program on the stored menu with a weekly check due (the last
# query eight days back, at 9:05:07 local time) and both prompts on; a new
# menu is served.
start_due() {
    due_query=$(date -d '8 days ago 09:05:07' +%s)
    serve fresh
    store_settings --menu stored PromptBeforeCheck=1 PromptBeforeConnect=1 \
        OpenNewBrowserWindow=0 QueryInterval=2 LastQuery="$due_query"
    export_settings "$E2E_ARTIFACTS/$scenario-before.reg"
    start_program
}

# expect_query_prompt: the query prompt shows, as its template gives it, with
# the last query's local time as month/day/year hours:minutes:seconds.
expect_query_prompt() {
    local controls shot expected
    if ! controls=$(dialog_controls Vellinor); then
        fail "no query prompt; screen: $(desktop_shot "$scenario-no-prompt")"
        return 1
    fi
    shot=$(desktop_shot "$scenario-query-prompt")
    printf '%s\n' "$controls" >"$E2E_ARTIFACTS/$scenario-query-prompt.txt"
    expected=$(date -d "@$due_query" '+%-m/%-d/%y %-H:%M:%S')
    [ "$(control_text "$controls" 1010)" = "$expected" ] ||
        fail "the query prompt shows the last query as \"$(control_text "$controls" 1010)\"," \
            "expected \"$expected\"; screen: $shot"
    expect_layout "query prompt" "$controls" \
        "$query_template"$'\n'"1010${tab}${expected}${tab}91 31 103 8" "$shot"
    awk -F'\t' '$1 == 1 && $4 ~ /default/' <<<"$controls" | grep -q . ||
        fail "\"&Query\" is not the default button; screen: $shot"
}

# "&Postpone" ends the check: no connect prompt, no download, no message,
# nothing stored; the program runs on with the stored menu.
scenario_due_check_postponed() {
    start_due
    expect_query_prompt || return
    click_control Vellinor 2 || return
    expect_no_message_box "after \"&Postpone\""
    wait_for_icon || return
    expect_menu_items "$stored_items" "after \"&Postpone\"" menu-after
    export_settings "$E2E_ARTIFACTS/$scenario-after.reg"
    cmp -s "$E2E_ARTIFACTS/$scenario-before.reg" "$E2E_ARTIFACTS/$scenario-after.reg" ||
        fail "\"&Postpone\" changed the stored settings: $E2E_ARTIFACTS/$scenario-{before,after}.reg"
    exit_program
}

# "&Query", then the connect prompt with "Don't ask again" ticked and "OK":
# the prompt is turned off in the registry and the update goes ahead.
scenario_due_check_dont_ask_again() {
    start_due
    expect_query_prompt || return
    asked_at=$(date +%s)
    click_control Vellinor 1 || return
    local controls shot
    # The query prompt has gone when the dialog shown has the check box.
    for ((tries = 0; tries < 50; tries++)); do
        controls=$(dialog_controls Vellinor) && grep -q "^1011${tab}" <<<"$controls" && break
        controls=
        sleep 0.2
    done
    if [ -z "$controls" ]; then
        fail "no connect prompt after \"&Query\"; screen: $(desktop_shot "$scenario-no-prompt")"
        return
    fi
    shot=$(desktop_shot "$scenario-connect-prompt")
    expect_layout "connect prompt" "$controls" "$connect_template" "$shot"
    awk -F'\t' '$1 == 1011 && $4 !~ /checked/' <<<"$controls" | grep -q . ||
        fail "\"Don't ask again\" is ticked when the prompt opens; screen: $shot"
    click_control Vellinor 1011 || return
    controls=$(dialog_controls Vellinor)
    shot=$(desktop_shot "$scenario-connect-prompt-ticked")
    awk -F'\t' '$1 == 1011 && $4 ~ /checked/' <<<"$controls" | grep -q . ||
        fail "a click did not tick \"Don't ask again\"; screen: $shot"
    click_control Vellinor 1 || return
    follow_update "$scenario" || return
    expect_message_box "$new_menu_text" information || return
    answered_at=$(date +%s)
    [ "$(stored PromptBeforeConnect)" = 0x0 ] ||
        fail "\"PromptBeforeConnect\" is \"$(stored PromptBeforeConnect)\" after \"Don't ask again\", expected 0x0"
    expect_stored_menu fresh "the due check"
    expect_last_query "$asked_at" "$answered_at" "the due check"
    expect_menu_items "$fresh_items" "after the due check" menu-after
    exit_program
}

scenarios=(
    first_run
    new_menu
    same_menu_number
    new_format
    closed_port
    twenty_bytes
    error_page
    no_answer
    timed_out_checks_then_an_answer
    long_body
    no_entries
    byte_order_mark
    due_check_postponed
    due_check_dont_ask_again
)
run_scenarios "$@"
scenarios_verdict
