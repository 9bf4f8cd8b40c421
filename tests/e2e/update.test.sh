#!/usr/bin/env bash
# Menu updates of Vellinor.exe under Wine, against a real web server on this
# machine: the first run's download, "&Update Now" against every kind of
# answer a server can give (a new menu, the same one, a newer format, a
# refused connection, too few bytes, an error page, no answer at all, a body
# that trickles in, more than the program reads, a menu without entries, a file
# with a UTF-8 byte-order mark), and a check due at start-up with its two
# prompts. Each scenario checks what the user sees (the progress window as it
# ticks, the prompts, the message boxes with their exact texts and icons, the
# menu that the icon opens) and what is stored ("MenuData" byte for byte
# against the maker's tool, "LastQuery", "PromptBeforeConnect"). Screenshots
# of every window are kept among the artifacts.
set -uo pipefail
here=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/program.sh
. "$here/lib/program.sh"
# A zone half an hour off any whole-hour zone, written the POSIX way that the
# program's C library and this script's date read alike: a time shown in the
# wrong zone cannot pass.
export TZ=IST-5:30
program_start_test update

# Menu files are served from the test's own folder; the server's own paths
# give the answers that are not files.
mkdir -p "$E2E_DIR/www"
http_server_start "$E2E_DIR/www" || { echo "FAIL: no HTTP server for the program" && exit 1; }
server=http://127.0.0.1:$HTTP_PORT

# serve NAME: the program fetches its menu from the served copy of NAME.txt.
serve() {
    cp "$E2E_DIR/$1.txt" "$E2E_DIR/www/$1.txt"
    set_menu_url "$server/$1.txt"
}

# The menu stored before most scenarios: two sites, so six items with the
# fixed four.
pack_menu stored 50 'BEGIN Sites' "&Old home${tab}http://example.test/old.htm" \
    "Old &news${tab}http://example.test/old-news.htm" END
# A new menu on the server: four entries with text (a divider between), so
# eight items.
pack_menu fresh 51 'BEGIN Sites' "&New home${tab}http://example.test/new.htm" - \
    'BEGIN &Reference' "Episodes${tab}http://example.test/episodes.htm" END \
    "&Cast${tab}http://example.test/cast.htm" "&Links${tab}http://example.test/links.htm" END
# The stored menu's number with other entries: loading it would show them.
pack_menu same-number 50 'BEGIN Sites' "&Other${tab}http://example.test/other.htm" \
    "&Second${tab}http://example.test/second.htm" "&Third${tab}http://example.test/third.htm" END
# A new menu in a format this version does not read.
sed '1s/.*/2/' "$E2E_DIR/fresh.txt" >"$E2E_DIR/format-2.txt"
# Twenty bytes in six lines: a menu the parser would take (with one byte more
# it is one), refused for its size alone.
printf '1\n2.1.2.5\n10\nB\nEND\n\n' >"$E2E_DIR/twenty-bytes.txt"
# A new number whose sites an editor turned into spaces: no entries at all,
# which the program must not install.
printf '1\n2.1.2.5\n53\nBEGIN Sites\n&Home    http://example.test/home.htm\nEND\n' >"$E2E_DIR/no-entries.txt"
# A new menu saved as UTF-8 with a byte-order mark, one caption not ASCII;
# stored, that caption holds the user's code page's byte for u-umlaut: two
# sites and the fixed four.
printf '\xef\xbb\xbf1\r\n2.1.2.5\r\n52\r\nBEGIN Sites\r\n&B\xc3\xbccher\thttp://example.test/books.htm\r\n&News\thttp://example.test/news.htm\r\nEND\r\n' \
    >"$E2E_DIR/marked.txt"
# A menu of 70,000 bytes whose first 65,536 end with a whole line, "&Edge".
# The program reads those bytes and no more: "&Late", the line after them,
# never shows, and the end of the lines closes the root, whose END line is
# past them too. A sub-menu of long lines fills the space: First, Filler and
# Edge are shown.
python3 - "$E2E_DIR/long.txt" <<'PYTHON' || exit 1
import sys

LIMIT, SIZE = 65536, 70000
head = b"1\n2.1.2.5\n70\nBEGIN Sites\n&First\thttp://example.test/first.htm\nBEGIN &Filler\n"
edge = b"END\n&Edge\thttp://example.test/edge.htm\n"
filler = b"".join(b"Filler %03d\thttp://example.test/%s\n" % (n, b"x" * 170) for n in range(400))
filler = filler[: LIMIT - len(head) - len(edge)]
filler = filler[: filler.rindex(b"\n") + 1]
filler += b"F\t" + b"y" * (LIMIT - len(head) - len(edge) - len(filler) - 3) + b"\n"
text = head + filler + edge + b"&Late\thttp://example.test/late.htm\nEND\n"
text += b"".join(b"- past the root's END: %05d\n" % i for i in range(SIZE))[: SIZE - len(text)]
assert len(text) == SIZE and text[:LIMIT].endswith(edge)
open(sys.argv[1], "wb").write(text)
PYTHON
head -c 65536 "$E2E_DIR/long.txt" >"$E2E_DIR/long-read.txt"

# The message texts, exactly as the program's string table gives them.
new_menu_text='Found and loaded a new menu.'
# shellcheck disable=SC2034 # named in the table of the failed checks
same_number_text='The server does not contain any new menu data.'
# shellcheck disable=SC2034 # named in the table of the failed checks
no_connection_text='Faild to connect to server.\n\nWill try to use locally saved data.'
# shellcheck disable=SC2034 # named in the table of the failed checks
read_failed_text='Failed to read required data from server. Try again later.\n\nWill try to use locally saved data.'
# shellcheck disable=SC2034 # named in the table of the failed checks
not_signed_text='The menu on the server is not signed by its publisher.\n\nWill try to use locally saved data.'
# shellcheck disable=SC2034 # Wine's own text for a library it cannot load
module_missing_text='Module not found.'
new_format_text='The data on the server is in a new format not supported by this version of Vellinor. Please go to the Vellinor home page and download the latest version of the application.'

# expect_last_query FROM TO WHAT: "LastQuery" lies between FROM and TO (seconds
# since 1970) inclusive.
expect_last_query() {
    local value
    value=$(setting LastQuery)
    [ -n "$value" ] && (($1 <= value && value <= $2)) ||
        fail "$3: \"LastQuery\" is ${value:-missing}, expected $1 to $2"
}

# progress_ticks SHOT: which steps the progress window (`controls`) shows
# done, read from the picture, since the program reads no messages while it
# works: a box is ticked when dark pixels stand inside its square, and enabled
# when its caption is drawn dark rather than grey. Prints a letter a box: T
# ticked and enabled, E enabled, D disabled, X ticked but grey.
progress_ticks() {
    local id left top width height ticked enabled
    for id in 1000 1001 1002 1003; do
        read -r left top width height < <(control_field "$id" 3)
        # The square: as high as the box, from its left edge; the caption after it.
        ticked=$(convert "$1" -crop "$((height - 4))x$((height - 4))+$((left + 1))+$((top + 2))" \
            +repage -colorspace gray -threshold 50% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
        enabled=$(convert "$1" -crop "$((width - height))x${height}+$((left + height))+${top}" \
            +repage -colorspace gray -threshold 38% -negate -format '%[fx:int(mean*w*h+0.5)]' info:)
        if ((ticked >= 4)); then ((enabled >= 20)) && printf T || printf X; else ((enabled >= 20)) && printf E || printf D; fi
    done
}

# follow_update: from the moment an update is asked for until a dialog other
# than the progress window shows (a message box), or 60 s have passed. Every
# look at the progress window is a screenshot, taken between two reads of
# the window that find it in place, so that the picture is of it; the first
# is compared with the window's template, dialog 129. Each look must show the
# steps in order: the boxes done ticked, the next one enabled, the rest
# disabled; and no two looks in a row may show fewer done than before.
# steps_done is then the number done at the last look (-1: never seen), and
# seen_for the seconds from the first look to the last.
follow_update() {
    local until=$((SECONDS + 60)) look place='' pending='' first_seen='' shots=0 odd=0 ticks steps
    steps_done=-1 seen_for=0
    while ((SECONDS < until)); do
        look=$(desktop_helper controls Vellinor 1 quiet) || continue
        grep -q "^1000${tab}" <<<"$look" || break
        if [ -z "$place" ]; then
            controls=$look place=$(head -n1 <<<"$look" | cut -f3) first_seen=$SECONDS
        fi
        # A picture taken as the window went may show anything: it waits for
        # the next look to be kept.
        if [ -n "$pending" ] && [ "$(head -n1 <<<"$look" | cut -f3)" = "$place" ]; then
            shot=$E2E_ARTIFACTS/$scenario-progress-$((shots < 4 ? shots : 4)).png
            mv "$pending" "$shot"
            ((shots++ > 0)) || expect_layout 129
            ticks=$(progress_ticks "$shot")
            steps=${ticks%%[!T]*}
            # A step ticks its box, which paints at once, before the next box's
            # enabling reaches the screen: a busy machine can catch that moment.
            # Each step repaints the whole window, background first, so a
            # picture can catch boxes not yet drawn again: only two odd
            # pictures in a row fail.
            if [[ $ticks =~ ^T*E?D*$ ]] && ((${#steps} >= steps_done)); then
                odd=0 steps_done=${#steps} seen_for=$((SECONDS - first_seen))
            elif ((odd++)); then
                fail "the progress window shows $ticks (T ticked, E enabled, D disabled) after $steps_done" \
                    "steps done; screen: $shot"
            fi
        fi
        pending=$(desktop_shot "$scenario-progress-pending")
    done
    rm -f "$pending"
    ((SECONDS < until)) || { fail "the update did not end within 60 s; screen: $(desktop_shot "$scenario-stuck")" && return 1; }
    echo "  the progress window was seen for $seen_for s, with $steps_done steps done at last"
}

# update_now TEXT ICON [ACTION...]: ACTION ("&Update Now" from the icon's
# menu unless given) followed to its message box, which says TEXT with ICON
# and is closed with OK. asked_at and answered_at: the times around it.
update_now() {
    local text=$1 icon=$2
    shift 2
    [ $# -gt 0 ] || { open_menu 3 && set -- choose -3; } || return 1
    asked_at=$(date +%s)
    "$@" && follow_update && expect_message_box "$text" "$icon" || return 1
    answered_at=$(date +%s)
}

# expect_new_menu NAME ITEMS [ACTION...]: update_now with ACTION installs the
# menu served, NAME.txt as the program reads it, with message 203: stored,
# the query recorded, and the icon's menu of ITEMS.
expect_new_menu() {
    local name=$1 items=$2
    shift 2
    update_now "$new_menu_text" information "$@" || return 1
    ((steps_done >= 0)) || fail "$name: the progress window was never seen"
    expect_stored_menu "$name" "$name"
    expect_last_query "$asked_at" "$answered_at" "$name"
    wait_for_icon && expect_menu_items "$items" "after $name"
}

# No settings key: the preferences in their first-run mode, the connect
# prompt cleared, then the setup dialog; "&Connect" downloads the menu with no
# prompt, stores it and shows it from the icon. Later menus replace it in the
# registry and in the icon's menu, whose sites open the new addresses: one
# with a byte-order mark, its caption in the code page; and a body of 70,000
# bytes, whose first 65,536 make the menu.
scenario_first_run_and_new_menus() {
    store_settings
    serve fresh
    start_program
    open_dialog "Vellinor Preferences" preferences && click_control "Vellinor Preferences" 1009 &&
        close_with "Vellinor Preferences" 1 OK || return
    open_dialog "Vellinor - Setup" setup && expect_new_menu fresh 8 click_control "Vellinor - Setup" 1 || return
    # The program names itself to the server.
    local asked
    asked=$(grep '"GET ' "$E2E_ARTIFACTS/server.log" | tail -1)
    [[ "$asked" == *" agent=Vellinor" ]] || fail "the menu was not asked for as Vellinor: $asked"
    open_menu 3 && choose 1 &&
        expect_browser_starts "the new menu's first site" "$(browser_line shell http://example.test/new.htm)"
    serve marked
    expect_new_menu marked 6 || return
    [[ $(setting MenuData) == *2642FC63686572* ]] || fail "the stored menu does not hold \"&Bücher\" in code page 1252"
    serve long
    expect_new_menu long-read 7
    exit_program
}

# Checks that install nothing, one after the other, each with its message and
# icon (the stop icon unless named): WHAT (a file of ours or a whole address),
# the message's name, whether the query is recorded, and the most steps the
# progress window may show done. The server's menu may have the number of the
# one held. A server that takes the request and never answers holds the
# progress window until the request's deadline of 30 s, and so does one that
# sends a byte a second: both are servers that cannot be reached. The menu
# stays as it was, stored and shown, its commands too, and nothing is left
# behind for a later check: the same server's new menu installs.
scenario_checks_that_install_nothing() {
    # The stored menu, no check due, the last query three days back; the query
    # prompt on, which "&Update Now" must not show.
    start_with stored 0 1 0 0 $(($(date +%s) - 3 * 86400)) && wait_for_icon || return
    local what text recorded most icon before
    while IFS='|' read -r what text recorded most icon; do
        [[ $what == http://* ]] && set_menu_url "$what" || serve "$what"
        before=$(setting LastQuery)
        update_now "${!text}" "${icon:-stop}" || return
        [ "$recorded" = yes ] || asked_at=$((before)) answered_at=$((before))
        expect_last_query "$asked_at" "$answered_at" "$what"
        ((steps_done <= most)) || fail "$what: the progress window showed $steps_done steps done"
        [[ $what != *:$HTTP_SILENT_PORT/* ]] || ((seen_for >= 20)) ||
            fail "$what: the progress window was seen for $seen_for s only, expected it until the deadline of 30 s"
    done <<EOF
same-number|same_number_text|yes|4|information
http://127.0.0.1:$HTTP_REFUSED_PORT/sites.txt|no_connection_text|no|0
http://127.0.0.1:$HTTP_SILENT_PORT/sites.txt|no_connection_text|no|0
$server/stall|no_connection_text|no|4
twenty-bytes|read_failed_text|no|4
$server/missing.txt|read_failed_text|no|4
no-entries|read_failed_text|no|3
format-2|new_format_text|yes|3
EOF
    expect_stored_menu stored "after the failed checks"
    expect_menu_items 6 "after the failed checks"
    open_menu 3 && choose 2 &&
        expect_browser_starts "the held menu's second site" "$(browser_line shell http://example.test/old-news.htm)"
    serve fresh
    expect_new_menu fresh 8
    exit_program
}

# start_due: the program on the stored menu with a weekly check due (the last
# query eight days back, at 9:05:07 local time) and both prompts on; a new
# menu is served. The query prompt, dialog 135, shows as its template gives
# it, with the last query's local time as month/day/year hours:minutes:seconds.
start_due() {
    local due_query last_query
    due_query=$(date -d '8 days ago 09:05:07' +%s)
    last_query=$(date -d "@$due_query" '+%-m/%-d/%y %-H:%M:%S')
    serve fresh
    start_with stored 0 1 1 2 "$due_query"
    open_dialog Vellinor query-prompt || return 1
    expect_layout 135 "1010=$last_query"
}

# "&Postpone" ends the check: no connect prompt, no download, no message,
# nothing stored; the program runs on with the stored menu.
scenario_due_check_postponed() {
    start_due && close_with Vellinor 2 '"&Postpone"' || return
    expect_no_message_box "after \"&Postpone\""
    wait_for_icon && expect_menu_items 6 "after \"&Postpone\""
    expect_settings_unchanged after-postpone
    exit_program
}

# "&Query", then the connect prompt, dialog 136, with "Don't ask again"
# ticked and "OK": the prompt is turned off in the registry and the update
# goes ahead.
scenario_due_check_dont_ask_again() {
    start_due && click_control Vellinor 1 || return
    # The query prompt has gone when the dialog shown has the check box.
    wait_until 60 'open_dialog Vellinor connect-prompt && grep -q "^1011${tab}" <<<"$controls"'
    expect_layout 136
    expect_checked "the connect prompt as it opens"
    click_control Vellinor 1011 && open_dialog Vellinor connect-prompt-ticked || return
    expect_checked "\"Don't ask again\" clicked" 1011
    expect_new_menu fresh 8 click_control Vellinor 1 || return
    [ "$(setting PromptBeforeConnect)" = 0x0 ] ||
        fail "\"PromptBeforeConnect\" is \"$(setting PromptBeforeConnect)\" after \"Don't ask again\", expected 0x0"
    exit_program
}

# Against nginx, which names each edition of a file and answers a request
# that names the current one with "not modified": the first check loads the
# new menu, the next one gets nothing sent again and says there is no new
# menu, and once the file has changed the next check loads it whole. The
# edition is stored with the address it came from.
scenario_conditional_requests() {
    local address=$server/edition.txt answers
    cp "$E2E_DIR/fresh.txt" "$E2E_DIR/www/edition.txt"
    set_menu_url "$address"
    start_with stored 0 0 0 0 now && wait_for_icon || return
    expect_new_menu fresh 8 || return
    [ "$(setting MenuSource)" = "$address" ] && [ -n "$(setting MenuETag)" ] ||
        fail "the edition loaded is not stored with $address: \"$(setting MenuSource)\", \"$(setting MenuETag)\""
    update_now "$same_number_text" information || return
    expect_stored_menu fresh "after \"not modified\""
    cp "$E2E_DIR/marked.txt" "$E2E_DIR/www/edition.txt"
    expect_new_menu marked 6 || return
    answers=$(http_server_answers /edition.txt | cut -d' ' -f1 | xargs)
    [ "$answers" = "200 304 200" ] || fail "nginx answered [$answers], expected [200 304 200]: $E2E_ARTIFACTS/server.log"
    exit_program
}

# serve_signed NAME KEY [CHANGE]: the program fetches NAME.txt, signed with
# the private key KEY.pem, from signed.txt; the sed command CHANGE alters the
# served copy after it was signed.
serve_signed() {
    cp "$E2E_DIR/$1.txt" "$E2E_DIR/www/signed.txt"
    "$E2E_MENU_TOOL" sign "$E2E_DIR/www/signed.txt" -k "$E2E_DIR/$2.pem" || fail "$1.txt could not be signed"
    [ -z "${3:-}" ] || sed -i "$3" "$E2E_DIR/www/signed.txt"
    set_menu_url "$server/signed.txt"
}

# set_publisher_key KEY ROOT: the policy's publisher key under ROOT, beside
# the menu's address; none when KEY is empty.
set_publisher_key() {
    local value=-
    [ -z "$1" ] || value="\"$1\""
    reg_import publisher-key "[$2\\Software\\Policies\\Vellinor]
\"MenuPublicKey\"=$value" || fail "the publisher's key could not be stored"
}

# expect_not_signed WHAT: "&Update Now" refuses the menu served, with the
# stop icon, records no query, and keeps the menu held.
expect_not_signed() {
    local before
    before=$(setting LastQuery)
    update_now "$not_signed_text" stop || return
    expect_stored_menu fresh "$1"
    [ "$(setting LastQuery)" = "$before" ] || fail "$1: the query was recorded"
}

# With the publisher's key in the user's policy, a signed menu installs; one
# byte changed after signing, no signature and another key's signature are
# each refused, and the menu stays, stored and shown; a signed menu numbered
# before the held one installs nothing. The computer's key comes before the
# user's.
scenario_signed_menus() {
    local key other
    key=$("$E2E_MENU_TOOL" keygen "$E2E_DIR/publisher.pem") && other=$("$E2E_MENU_TOOL" keygen "$E2E_DIR/other.pem") ||
        { fail "no keys made" && return; }
    serve_signed fresh publisher
    set_publisher_key "$key" HKEY_CURRENT_USER
    start_with stored 0 0 0 0 now && wait_for_icon && expect_new_menu fresh 8 || return
    serve_signed marked publisher s/News/Newt/ && expect_not_signed "a byte changed" || return
    serve_signed marked publisher && rm "$E2E_DIR/www/signed.txt.sig" && expect_not_signed "no signature" || return
    serve_signed marked other && expect_not_signed "another key's signature" || return
    wait_for_icon && expect_menu_items 8 "after the menus not signed"
    serve_signed stored publisher
    update_now "$same_number_text" information && expect_stored_menu fresh "an older signed menu"
    serve_signed marked publisher
    set_publisher_key "$key" HKEY_LOCAL_MACHINE
    set_publisher_key "$other" HKEY_CURRENT_USER
    expect_new_menu marked 6
    set_publisher_key '' HKEY_CURRENT_USER
    exit_program
}

# A system whose internet layer will not load: the program still starts, and
# "&Update Now" says why there is no connection, in the system's words, as
# when the layer refuses to open; the stored menu stays, shown and stored.
scenario_no_internet_layer() {
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wininet=d" start_with stored 0 0 0 0 now && wait_for_icon || return
    update_now "$module_missing_text" stop || return
    expect_stored_menu stored "without the internet layer"
    expect_menu_items 6 "without the internet layer"
    exit_program
}

scenarios=(first_run_and_new_menus checks_that_install_nothing due_check_postponed due_check_dont_ask_again conditional_requests
    signed_menus no_internet_layer)
run_scenarios "$@"
