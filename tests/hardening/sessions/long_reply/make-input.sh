# A 255-byte answer, the longest a dialog takes, to SAVE's and to LOAD's name prompt: the name
# is used whole (a longer reply line is refused: see hostile_message_files.sh). Tool button i is
# at (25, 45 + 40i).
name=$(head -c 255 /dev/zero | tr '\0' n)
long=$name
cat >messages.txt <<MESSAGES
# The square tool, a square at (0, 0); SAVE and LOAD under the long name; SAVE both squares.
click 25 45
click 300 270
click 25 485
reply $long
click 25 445
reply $long
click 25 485
reply both.txt
MESSAGES
cat >expected/transcript.txt <<TRANSCRIPT
dialog: Enter the name of the file you would like to save to:
reply: $name
dialog: Enter the name of the file you would like to open:
reply: $name
dialog: Enter the name of the file you would like to save to:
reply: both.txt
TRANSCRIPT
printf 'Square     0     0     0     0\n' >"expected/files/$name"
printf 'Square     0     0     0     0\nSquare     0     0     0     0\n' >expected/files/both.txt
