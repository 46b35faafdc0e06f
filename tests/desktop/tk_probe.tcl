# A Tk client for the desktop tests, beside probe_client: Tk translates key
# events with Xlib's own copy of the keymap, as many older X programs do. A
# window of class "OrvanelProbe" with one entry; it reports on stdout, one
# line each, as probe_client does:
#   geometry X Y W H      its client area on the screen (when it changes)
#   active                when it gets the keyboard focus
#   inactive              when it loses it
#   text T                the entry's text after each change
# Usage: wish tk_probe.tcl --title T
fconfigure stdout -encoding utf-8
proc report {line} {
    puts $line
    flush stdout
}

set title "Orvanel Tk probe"
foreach {option value} $argv {
    if {$option eq "--title"} { set title $value }
}
wm withdraw .
toplevel .w -class OrvanelProbe
wm title .w $title
wm geometry .w 400x120
entry .w.e -textvariable text -width 50
pack .w.e -fill x
focus .w.e
trace add variable ::text write {apply {{args} { report "text $::text" }}}

# Polled: what Tk says of its window and focus, as it stands.
set ::shown ""
set ::focused ""
proc poll {} {
    if {[winfo ismapped .w]} {
        set g "geometry [winfo rootx .w] [winfo rooty .w] [winfo width .w] [winfo height .w]"
        if {$g ne $::shown} {
            set ::shown $g
            report $g
        }
    }
    set f [expr {[focus] ne "" ? "active" : "inactive"}]
    if {$f ne $::focused} {
        set ::focused $f
        report $f
    }
    after 20 poll
}
poll
