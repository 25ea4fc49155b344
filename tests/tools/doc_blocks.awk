# Splits a Markdown page into its fenced blocks for the tests that run a
# page's examples: awk -v dir=DIR -f doc_blocks.awk PAGE.md writes, for the
# Nth block (N counted from 1001, so that names sort), DIR/N.text with its
# lines, DIR/N.info with the words after its opening backticks, DIR/N.line
# with the line its fence is on and DIR/N.heading with the last heading above
# it. A line "<!-- check: COMMAND -->" outside blocks is a block of its own,
# info "check", whose text is the command.
function open_block(info) {
  n++
  start = NR
  base = dir "/" (1000 + n)
  printf "%s\n", info > (base ".info")
  printf "%d\n", start > (base ".line")
  printf "%s\n", heading > (base ".heading")
  printf "" > (base ".text")
}
function close_block() {
  close(base ".info"); close(base ".line"); close(base ".heading"); close(base ".text")
}
BEGIN { system("mkdir -p '" dir "'") }
inside && /^```$/ { inside = 0; close_block(); next }
inside { print > (base ".text"); next }
/^```/ { open_block(substr($0, 4)); inside = 1; next }
/^#/ { heading = $0; next }
/^<!-- check: .* -->$/ {
  open_block("check")
  command = $0
  sub(/^<!-- check: /, "", command)
  sub(/ -->$/, "", command)
  print command > (base ".text")
  close_block()
}
END { if (inside) { print "doc_blocks: a block opened on line " start " is not closed" > "/dev/stderr"; exit 1 } }
