# A small clipboard manager for the desktop tests (ICCCM, CLIPBOARD_MANAGER):
# when the owner of the clipboard asks it to SAVE_TARGETS before it ends, it
# reads the clipboard's text and from then on owns the clipboard with that
# text. Reports on stdout, one line each: "ready", then "saved T".
# Usage: wish clipboard_manager.tcl
fconfigure stdout -encoding utf-8
wm withdraw .
proc report {line} {
    puts $line
    flush stdout
}
proc save {offset maxChars} {
    set ::saved [selection get -selection CLIPBOARD -type UTF8_STRING]
    after idle takeOver
    return ""
}
proc takeOver {} {
    clipboard clear
    clipboard append -type UTF8_STRING -format UTF8_STRING $::saved
    report "saved $::saved"
}
selection own -selection CLIPBOARD_MANAGER .
selection handle -selection CLIPBOARD_MANAGER -type SAVE_TARGETS . save
report ready
