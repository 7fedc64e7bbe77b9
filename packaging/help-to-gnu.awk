# Rewrites the --help text of vantrel-batch into the layout that help2man
# reads best (GNU style): "Usage:" and "  or:" lines, an "Options:" heading
# after a blank line, and each option on one line with its whole description.
# Text already in that layout keeps its meaning for help2man, so the man
# page follows --help whatever the options are.
function flush() {
    if (pending != "")
        print pending
    pending = ""
    described = 0
}
{
    line = $0
    if (NR == 1 && sub(/^usage:/, "Usage:", line)) {
        print line
        in_usage = 1
        next
    }
    if (in_usage && line ~ /^ +[^ -]/) {
        sub(/^ +/, "", line)
        print "  or:  " line
        next
    }
    in_usage = 0
    if (line ~ /^[A-Za-z][A-Za-z ]*:$/) {
        # A heading such as "options:".
        flush()
        print ""
        print toupper(substr(line, 1, 1)) substr(line, 2)
        next
    }
    if (line ~ /^  -/) {
        flush()
        pending = line
        described = line ~ /[^ ]  +[^ ]/
        next
    }
    if (pending != "" && line ~ /^    +[^ ]/) {
        # The description under an option, or its next line.
        sub(/^ +/, "", line)
        pending = pending (described ? " " : "  ") line
        described = 1
        next
    }
    flush()
    if (line ~ /^[A-Z][a-z ]+: /)
        print ""
    print line
}
END { flush() }
