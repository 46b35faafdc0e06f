# A Tk client for the desktop tests that shows one picture twice: once at the
# top right of its window, once below at the left, so that the upper one
# comes first in reading order. When both are on the screen it reports, one
# line each, where their top-left pixels are:
#   picture 1 X Y
#   picture 2 X Y
# Usage: wish picture_client.tcl PICTURE.ppm TITLE
lassign $argv file title
wm title . $title
set picture [image create photo -file $file]
. configure -background #808080
foreach {name row column} {.upper 0 1 .lower 1 0} {
    label $name -image $picture -borderwidth 0 -highlightthickness 0 -padx 0 -pady 0
    grid $name -row $row -column $column -padx 30 -pady 20
}
tkwait visibility .lower
update
after 300
update
set n 0
foreach name {.upper .lower} {
    puts "picture [incr n] [winfo rootx $name] [winfo rooty $name]"
}
flush stdout
